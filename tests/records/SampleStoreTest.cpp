#include "records/SampleStore.h"
#include "records/SampleArray.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

void ExpectSample(const CObjData &r, double dValue, const std::string &strTime, const std::string &strUnit,
                  int nGroup, double dRate) {
  EXPECT_EQ(r.m_dValue, dValue);
  EXPECT_EQ(r.m_strTime, strTime);
  EXPECT_EQ(r.m_strUnit, strUnit);
  EXPECT_EQ(r.m_nGroup, nGroup);
  EXPECT_EQ(r.m_dSampleRate, dRate);
}

TEST(SampleStore, NewStoreIsEmptyAndFirstRecordHasIndexZero) {
  CSampleStore store;
  EXPECT_EQ(store.GetSize(), 0u);
  EXPECT_EQ(store.Emplace(62.3, "07-12-2026,01:45:03", "dBA", 0, 0.5), 0u);
  EXPECT_EQ(store.Emplace(63.0, "07-12-2026,01:45:04", "dBC", 0, 0.5), 1u);
  EXPECT_EQ(store[1].m_strUnit, "dBC");
  EXPECT_THROW(store.GetAt(2), std::out_of_range);
  store.RemoveAll();
  EXPECT_TRUE(store.IsEmpty());
  store.RemoveAll(); // an empty store stays empty
  EXPECT_EQ(store.Emplace(1.0, "t", "dBA", 0, 1.0), 0u);
}

TEST(SampleStore, EveryFieldComesBackAsItWentIn) {
  // times in both layouts, hours on both sides of 10, texts no layout
  // writes, units, recording numbers and rates changing in between
  struct In {
    double d;
    const char *time;
    const char *unit;
    int group;
    double rate;
  };
  const std::vector<In> in = {{65.2, "07-12-2010,9:05:00", "dBA", 1, 2.0},
                              {70.1, "07-12-2010,10:05:02", "dBA", 1, 2.0},
                              {70.2, "07-12-2010,9:05:04", "dBA", 1, 2.0},
                              {55.0, "07-12-2010,09:05:06", "dBA", 1, 2.0},
                              {55.5, "07-12-2010,11:05:06", "dBC", 2, 1.0},
                              {0.0, "a,b", "a,b", 0, 0.5},
                              {-3.25, "31-02-2026,10:00:00", " dBX", 0, 0.5},
                              {1e300, "7-12-2026,1:45:04", "dBA", 0, 0.5},
                              {150.0, "", "", 0, 0.5},
                              {9.5, "07-12-2026,24:00:00", "dBA", -7, 0.26},
                              {60.0, "29-02-2028,23:59:59", "dBA", -7, 0.26},
                              {60.0, "01-01-0,0:00:00", "dBA", -7, 0.26}};
  CSampleStore store;
  for (const In &x : in)
    store.Emplace(x.d, x.time, x.unit, x.group, x.rate);
  ASSERT_EQ(store.GetSize(), in.size());
  for (std::size_t i = 0; i < in.size(); ++i) {
    SCOPED_TRACE(i);
    ExpectSample(store[i], in[i].d, in[i].time, in[i].unit, in[i].group, in[i].rate);
    EXPECT_EQ(store.Level(i), in[i].d);
  }
  EXPECT_EQ(store.Seconds(1), ToCivilSeconds({2010, 12, 7, 10, 5, 2}));
  EXPECT_FALSE(store.Seconds(5));
  // recordings as the data logger window lists them
  const std::vector<CSampleStore::GroupRun> runs = store.GroupRuns();
  ASSERT_EQ(runs.size(), 4u);
  EXPECT_EQ(runs[0].nCount, 4u);
  EXPECT_EQ(runs[1].nGroup, 2);
  EXPECT_EQ(runs[2].nFirst, 5u);
  EXPECT_EQ(runs[2].nCount, 4u);
  EXPECT_EQ(runs[3].nGroup, -7);
}

TEST(SampleStore, ALongRunCostsAtMost32BytesASample) {
  CSampleStore store;
  for (int i = 0; i < 300000; ++i)
    store.AppendAt(50.0 + i % 300 / 10.0, 1796607902 + i / 10, TimeStyle::PaddedHour, "dBA", 0, 0.1);
  EXPECT_LE(static_cast<double>(store.MemoryBytes()) / static_cast<double>(store.GetSize()), 32.0);
  const std::size_t nReserved = store.MemoryBytes();
  store.RemoveAll();
  EXPECT_LT(store.MemoryBytes(), nReserved / 1000); // emptying gives the room back
}

TEST(SampleStore, SelectionIsStretchesOfTheStore) {
  CSampleStore store;
  for (int i = 0; i < 10; ++i)
    store.Emplace(i, "07-12-2026,01:45:0" + std::to_string(i), "dBA", i < 3 || i > 6 ? 1 : 2, 1.0);
  CSampleSelection sel;
  for (const CSampleStore::GroupRun &r : store.GroupRuns())
    if (r.nGroup == 1)
      sel.AddRange(store, r.nFirst, r.nCount);
  CSampleArray view(sel);
  ASSERT_EQ(view.GetSize(), 6u);
  std::vector<double> levels;
  for (std::size_t i = 0; i < view.GetSize(); ++i)
    levels.push_back(view[i].m_dValue);
  EXPECT_EQ(levels, (std::vector<double>{0, 1, 2, 7, 8, 9}));
  EXPECT_EQ(view.Time(3), "07-12-2026,01:45:07");
  const std::vector<LevelStretch> st = view.Stretches();
  ASSERT_EQ(st.size(), 2u);
  EXPECT_EQ(st[1].nFirst, 3u);
  EXPECT_EQ(st[1].nStoreFirst, 7u);
  sel.RemoveAll();
  EXPECT_TRUE(sel.IsEmpty());
  EXPECT_EQ(store.GetSize(), 10u);
}

TEST(SampleStore, OwnerHoldsBothStores) {
  CDataStores stores;
  EXPECT_FALSE(stores.AnyRecords());
  stores.m_log.Emplace(1.0, "t", "dBA", 1, 1.0);
  EXPECT_TRUE(stores.AnyRecords());
  // a store moved into another leaves its samples there
  CSampleStore other;
  other = std::move(stores.m_log);
  EXPECT_EQ(other.GetSize(), 1u);
  EXPECT_EQ(other[0].m_strTime, "t");
}

} // namespace
