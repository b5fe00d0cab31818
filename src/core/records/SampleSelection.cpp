#include "records/SampleSelection.h"

#include "records/SampleArray.h"

#include <algorithm>
#include <stdexcept>

CObjData CSampleSelection::GetAt(std::size_t i) const {
  if (i >= m_nSize)
    throw std::out_of_range("sample index past the selection");
  return m_pStore->GetAt(StoreIndex(i));
}

std::size_t CSampleSelection::StoreIndex(std::size_t i) const {
  if (m_pieces.size() == 1)
    return m_pieces[0].nStoreFirst + i;
  auto it = std::upper_bound(m_pieces.begin(), m_pieces.end(), i,
                             [](std::size_t idx, const Piece &p) { return idx < p.nFirst; });
  const Piece &p = *(it - 1);
  return p.nStoreFirst + (i - p.nFirst);
}

void CSampleSelection::AddRange(const CSampleStore &store, std::size_t nStoreFirst, std::size_t nCount) {
  if (nCount == 0)
    return;
  m_pStore = &store;
  if (!m_pieces.empty() && m_pieces.back().nStoreFirst + m_pieces.back().nCount == nStoreFirst)
    m_pieces.back().nCount += nCount;
  else
    m_pieces.push_back({nStoreFirst, nCount, m_nSize});
  m_nSize += nCount;
}

void CSampleSelection::RemoveAll() {
  m_pieces.clear();
  m_nSize = 0;
  m_pStore = nullptr;
}

std::vector<LevelStretch> CSampleArray::Stretches() const {
  std::vector<LevelStretch> out;
  if (m_pStore) {
    if (!m_pStore->IsEmpty())
      out.push_back({0, m_pStore->GetSize(), 0, m_pStore});
  } else if (m_pSel) {
    for (const CSampleSelection::Piece &p : m_pSel->Pieces())
      out.push_back({p.nFirst, p.nCount, p.nStoreFirst, m_pSel->Store()});
  }
  return out;
}
