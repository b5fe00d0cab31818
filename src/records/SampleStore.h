#pragma once

#include "records/ObjData.h"

#include <cstddef>
#include <memory>
#include <vector>

// An owning, index-addressed store of samples in arrival order (index 0 is
// the oldest). Emptying destroys the records last-first.
class CSampleStore {
public:
  CSampleStore() = default;
  CSampleStore(const CSampleStore &) = delete;
  CSampleStore &operator=(const CSampleStore &) = delete;
  ~CSampleStore() { RemoveAll(); }

  std::size_t GetSize() const { return m_records.size(); }
  bool IsEmpty() const { return m_records.empty(); }
  const CObjData &GetAt(std::size_t i) const { return *m_records.at(i); }
  const CObjData &operator[](std::size_t i) const { return *m_records[i]; }

  // Returns the index of the new record.
  std::size_t Add(std::unique_ptr<CObjData> rec) {
    m_records.push_back(std::move(rec));
    return m_records.size() - 1;
  }
  template <class... Args> std::size_t Emplace(Args &&...args) {
    return Add(std::make_unique<CObjData>(std::forward<Args>(args)...));
  }

  void Reserve(std::size_t n) { m_records.reserve(n); }

  void RemoveAll() {
    while (!m_records.empty())
      m_records.pop_back();
  }

private:
  std::vector<std::unique_ptr<CObjData>> m_records;
};

// A non-owning selection of records that stay owned by a store (the data
// logger window's chosen recording). Emptying it never destroys a record.
class CSampleSelection {
public:
  std::size_t GetSize() const { return m_records.size(); }
  bool IsEmpty() const { return m_records.empty(); }
  const CObjData &GetAt(std::size_t i) const { return *m_records.at(i); }
  const CObjData &operator[](std::size_t i) const { return *m_records[i]; }
  void Add(const CObjData &rec) { m_records.push_back(&rec); }
  void RemoveAll() { m_records.clear(); }
  void Reserve(std::size_t n) { m_records.reserve(n); }

private:
  std::vector<const CObjData *> m_records;
};

// The one owner of both stores; handed by reference to whoever needs them
// instead of process-wide pointers.
struct CDataStores {
  CSampleStore m_live; // filled by monitoring runs
  CSampleStore m_log;  // filled by downloads and opened files

  bool AnyRecords() const { return !m_live.IsEmpty() || !m_log.IsEmpty(); }
  ~CDataStores() {
    // live first, then the logger store
    m_live.RemoveAll();
    m_log.RemoveAll();
  }
};
