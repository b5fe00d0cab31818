#pragma once

#include "records/LevelPyramid.h"
#include "records/ObjData.h"
#include "records/SampleSelection.h"
#include "records/SampleStore.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

// A stretch of a sample array that lies in one store: samples
// nFirst .. nFirst + nCount - 1 of the array are the store's samples from
// nStoreFirst on; the graph reads their levels and pyramid directly.
struct LevelStretch {
  std::size_t nFirst = 0;
  std::size_t nCount = 0;
  std::size_t nStoreFirst = 0;
  std::span<const double> levels; // all of the store's levels
  const CLevelPyramid *pPyramid = nullptr;
};

// A read-only view over either a store or a selection, so that the graph,
// files, export and printing take any set of samples the same way.
class CSampleArray {
public:
  CSampleArray() = default;
  CSampleArray(const CSampleStore &store) : m_pStore(&store) {}
  CSampleArray(const CSampleSelection &sel) : m_pSel(&sel) {}

  std::size_t GetSize() const { return m_pStore ? m_pStore->GetSize() : m_pSel ? m_pSel->GetSize() : 0; }
  bool IsEmpty() const { return GetSize() == 0; }
  CObjData operator[](std::size_t i) const { return GetAt(i); }
  CObjData GetAt(std::size_t i) const { return m_pStore ? m_pStore->GetAt(i) : m_pSel->GetAt(i); }

  double Level(std::size_t i) const { return m_pStore ? m_pStore->Level(i) : m_pSel->Level(i); }
  void AppendTime(std::string &out, std::size_t i) const {
    m_pStore ? m_pStore->AppendTime(out, i) : m_pSel->AppendTime(out, i);
  }
  std::string Time(std::size_t i) const { return m_pStore ? m_pStore->Time(i) : m_pSel->Time(i); }
  const std::string &Unit(std::size_t i) const { return m_pStore ? m_pStore->Unit(i) : m_pSel->Unit(i); }
  double SampleRate(std::size_t i) const {
    return m_pStore ? m_pStore->SampleRate(i) : m_pSel->SampleRate(i);
  }
  int Group(std::size_t i) const { return m_pStore ? m_pStore->Group(i) : m_pSel->Group(i); }

  // The array as stretches of stores, in order.
  std::vector<LevelStretch> Stretches() const;
  // What the array shows: its store or selection (for telling arrays apart).
  const void *Source() const { return m_pStore ? static_cast<const void *>(m_pStore) : m_pSel; }

private:
  const CSampleStore *m_pStore = nullptr;
  const CSampleSelection *m_pSel = nullptr;
};
