#pragma once

#include "records/LevelPyramid.h"
#include "records/ObjData.h"
#include "records/SampleSelection.h"
#include "records/SampleStore.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

// A stretch of a sample array that lies in one store: samples
// nFirst .. nFirst + nCount - 1 of the array are the store's samples from
// nStoreFirst on; the graph reads their levels and pyramid from the store.
struct LevelStretch {
  std::size_t nFirst = 0;
  std::size_t nCount = 0;
  std::size_t nStoreFirst = 0;
  const CSampleStore *pStore = nullptr; // the store the levels are in
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
  // Calls f(levels, i) for each contiguous part of samples [nFirst, nLast),
  // in order; i is the array index of levels[0]. Loops over many samples
  // take them this way instead of one Level(i) at a time. A span lasts only
  // for its call (levels kept as tenths are written out into a buffer).
  template <class F> void ForEachLevelSpan(std::size_t nFirst, std::size_t nLast, F f) const {
    for (const LevelStretch &st : Stretches()) {
      const std::size_t a = std::max(nFirst, st.nFirst), b = std::min(nLast, st.nFirst + st.nCount);
      if (a < b) {
        const std::size_t sa = st.nStoreFirst + (a - st.nFirst);
        st.pStore->ForEachLevelSpan(
            sa, b - a, [&](std::span<const double> levels, std::size_t nAt) { f(levels, a + (nAt - sa)); });
      }
    }
  }
  // Calls f(unit) for each run of samples [nFirst, nLast) that share a unit.
  template <class F> void ForEachUnitRun(std::size_t nFirst, std::size_t nLast, F f) const {
    if (m_pStore) {
      if (nFirst < nLast)
        m_pStore->ForEachUnitRun(nFirst, nLast - nFirst, f);
      return;
    }
    if (!m_pSel)
      return;
    for (const CSampleSelection::Piece &p : m_pSel->Pieces()) {
      const std::size_t a = std::max(nFirst, p.nFirst), b = std::min(nLast, p.nFirst + p.nCount);
      if (a < b)
        m_pSel->Store()->ForEachUnitRun(p.nStoreFirst + (a - p.nFirst), b - a, f);
    }
  }
  // The store the array shows whole, or none for a selection.
  const CSampleStore *Store() const { return m_pStore; }
  // What the array shows: its store or selection (for telling arrays apart).
  const void *Source() const { return m_pStore ? static_cast<const void *>(m_pStore) : m_pSel; }

private:
  const CSampleStore *m_pStore = nullptr;
  const CSampleSelection *m_pSel = nullptr;
};
