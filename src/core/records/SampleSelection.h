#pragma once

#include "records/ObjData.h"
#include "records/SampleStore.h"

#include <cstddef>
#include <string>
#include <vector>

// A selection of samples that stay in a store (the data logger window's
// chosen recording): stretches of the store, in order. Emptying it never
// touches the store.
class CSampleSelection {
public:
  struct Piece {
    std::size_t nStoreFirst = 0;
    std::size_t nCount = 0;
    std::size_t nFirst = 0; // index of its first sample in the selection
  };

  std::size_t GetSize() const { return m_nSize; }
  bool IsEmpty() const { return m_nSize == 0; }
  CObjData GetAt(std::size_t i) const;
  CObjData operator[](std::size_t i) const { return GetAt(i); }
  double Level(std::size_t i) const { return m_pStore->Level(StoreIndex(i)); }
  std::string Time(std::size_t i) const { return m_pStore->Time(StoreIndex(i)); }
  void AppendTime(std::string &out, std::size_t i) const { m_pStore->AppendTime(out, StoreIndex(i)); }
  const std::string &Unit(std::size_t i) const { return m_pStore->Unit(StoreIndex(i)); }
  double SampleRate(std::size_t i) const { return m_pStore->SampleRate(StoreIndex(i)); }
  int Group(std::size_t i) const { return m_pStore->Group(StoreIndex(i)); }

  // Samples nStoreFirst .. nStoreFirst + nCount - 1 of `store` join the end.
  // All pieces come from one store.
  void AddRange(const CSampleStore &store, std::size_t nStoreFirst, std::size_t nCount);
  void RemoveAll();

  const CSampleStore *Store() const { return m_pStore; }
  const std::vector<Piece> &Pieces() const { return m_pieces; }
  std::size_t StoreIndex(std::size_t i) const;

private:
  const CSampleStore *m_pStore = nullptr;
  std::vector<Piece> m_pieces;
  std::size_t m_nSize = 0;
};
