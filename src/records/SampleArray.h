#pragma once

#include "records/ObjData.h"
#include "records/SampleStore.h"

#include <cstddef>

// A read-only view over either a store or a selection, so that the graph,
// files, export and printing take any set of samples the same way.
class CSampleArray {
public:
  CSampleArray() = default;
  CSampleArray(const CSampleStore &store) : m_pStore(&store) {}
  CSampleArray(const CSampleSelection &sel) : m_pSel(&sel) {}

  std::size_t GetSize() const { return m_pStore ? m_pStore->GetSize() : m_pSel ? m_pSel->GetSize() : 0; }
  bool IsEmpty() const { return GetSize() == 0; }
  const CObjData &operator[](std::size_t i) const { return m_pStore ? (*m_pStore)[i] : (*m_pSel)[i]; }
  const CObjData &GetAt(std::size_t i) const { return m_pStore ? m_pStore->GetAt(i) : m_pSel->GetAt(i); }

private:
  const CSampleStore *m_pStore = nullptr;
  const CSampleSelection *m_pSel = nullptr;
};
