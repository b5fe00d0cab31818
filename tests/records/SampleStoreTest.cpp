#include "records/SampleStore.h"
#include "records/SampleArray.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records that note their destruction, to see the order in which a store empties.
std::vector<int> g_destroyed;
struct NoisyRecord : CObjData {
  explicit NoisyRecord(int n) : CObjData(n, "t", "dBA", n, 1.0) {}
  ~NoisyRecord() override { g_destroyed.push_back(m_nGroup); }
};

TEST(SampleStore, NewStoreIsEmptyAndFirstRecordHasIndexZero) {
  CSampleStore store;
  EXPECT_EQ(store.GetSize(), 0u);
  EXPECT_EQ(store.Emplace(62.3, "07-12-2026,01:45:03", "dBA", 0, 0.5), 0u);
  EXPECT_EQ(store.Emplace(63.0, "07-12-2026,01:45:04", "dBC", 0, 0.5), 1u);
  EXPECT_EQ(store[1].m_strUnit, "dBC");
  EXPECT_THROW(store.GetAt(2), std::out_of_range);
}

TEST(SampleStore, EmptyingDestroysEveryRecordLastFirst) {
  g_destroyed.clear();
  CSampleStore store;
  store.RemoveAll(); // empty store: nothing happens
  EXPECT_TRUE(g_destroyed.empty());
  for (int i = 1; i <= 3; ++i)
    store.Add(std::make_unique<NoisyRecord>(i));
  store.RemoveAll();
  EXPECT_EQ(g_destroyed, (std::vector<int>{3, 2, 1}));
  EXPECT_TRUE(store.IsEmpty());
}

TEST(SampleStore, SelectionNeverDestroysRecords) {
  g_destroyed.clear();
  CSampleStore store;
  store.Add(std::make_unique<NoisyRecord>(1));
  store.Add(std::make_unique<NoisyRecord>(2));
  CSampleSelection sel;
  sel.Add(store[1]);
  CSampleArray view(sel);
  EXPECT_EQ(view.GetSize(), 1u);
  EXPECT_EQ(view[0].m_nGroup, 2);
  sel.RemoveAll();
  EXPECT_TRUE(g_destroyed.empty());
  EXPECT_EQ(store.GetSize(), 2u);
}

TEST(SampleStore, OwnerDestroysLiveStoreBeforeLoggerStore) {
  g_destroyed.clear();
  {
    CDataStores stores;
    EXPECT_FALSE(stores.AnyRecords());
    stores.m_log.Add(std::make_unique<NoisyRecord>(20));
    stores.m_live.Add(std::make_unique<NoisyRecord>(10));
    EXPECT_TRUE(stores.AnyRecords());
  }
  EXPECT_EQ(g_destroyed, (std::vector<int>{10, 20}));
}

} // namespace
