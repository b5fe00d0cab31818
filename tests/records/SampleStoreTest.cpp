#include "records/SampleStore.h"
#include "records/SampleAcoustics.h"
#include "records/SampleArray.h"

#include "files/NumberText.h"
#include "meter/MeterText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
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

TEST(SampleStore, AFixedRateRunCostsAtMost4BytesASample) {
  CSampleStore store;
  for (int i = 0; i < 300000; ++i)
    store.AppendAt((500 + i % 300) / 10.0, 1796607902 + i / 10, TimeStyle::PaddedHour, "dBA", 0, 0.1);
  EXPECT_TRUE(store.LevelsInTenths());
  EXPECT_EQ(store.TimeRunCount(), 1u);
  EXPECT_LE(static_cast<double>(store.MemoryBytes()) / static_cast<double>(store.GetSize()), 4.0);
  const std::size_t nReserved = store.MemoryBytes();
  store.RemoveAll();
  EXPECT_LT(store.MemoryBytes(), nReserved / 1000); // emptying gives the room back
  // a level that is no tenth keeps every level as a double, still within bounds
  for (int i = 0; i < 300000; ++i)
    store.AppendAt(i == 5 ? 50.05 : 50.0, 1796607902 + i, TimeStyle::PaddedHour, "dBA", 0, 1.0);
  EXPECT_FALSE(store.LevelsInTenths());
  EXPECT_LE(static_cast<double>(store.MemoryBytes()) / static_cast<double>(store.GetSize()), 14.0);
}

std::uint64_t Bits(double d) {
  return std::bit_cast<std::uint64_t>(d);
}

// Every level reads back bit for bit, from each accessor, whether the
// store keeps it as tenths or falls back to doubles for the whole series.
TEST(SampleStore, LevelsComeBackBitForBit) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const struct {
    double d;
    bool bTenths;
  } cases[] = {
      {ReadDecimalNumber("45.3"), true},  // a live frame's digits
      {ReadDecimalNumber("130.0"), true}, //
      {9999 / 10.0, true},                // a download's four digits
      {*WholeNumber("65.3"), true},       // a text file's level
      {*WholeNumber("200"), true},        //
      {*WholeNumber("0.1"), true},        //
      {0.0, true},                        //
      {-12.5, true},                      // below zero
      {3276.7, true},                     // the int16 bounds
      {-3276.7, true},                    //
      {3276.8, false},                    //
      {-3276.8, false},                   //
      {*WholeNumber("45.35"), false},     // finer than a tenth
      {0.1 + 0.2, false},                 // near a tenth but not it
      {-0.0, false},                      // tenths would turn it to +0
      {std::nan(""), false},              //
      {kInf, false},                      //
      {-kInf, false},                     //
      {1e300, false},                     //
      {std::numeric_limits<double>::denorm_min(), false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.d);
    CSampleStore store;
    const std::vector<double> in = {60.0, c.d, 61.0};
    for (double d : in)
      store.AppendAt(d, 0, TimeStyle::PaddedHour, "dBA", 0, 1.0);
    EXPECT_EQ(store.LevelsInTenths(), c.bTenths);
    std::vector<double> copied;
    store.CopyLevels(0, 3, copied);
    for (std::size_t i = 0; i < in.size(); ++i) {
      EXPECT_EQ(Bits(store.Level(i)), Bits(in[i]));
      EXPECT_EQ(Bits(store[i].m_dValue), Bits(in[i]));
      EXPECT_EQ(Bits(copied[i]), Bits(in[i]));
    }
    if (!std::isnan(c.d)) {
      const LevelMinMax m = store.LevelRange(1, 2);
      EXPECT_EQ(Bits(m.dMin), Bits(c.d));
      EXPECT_EQ(Bits(m.dMax), Bits(c.d));
    }
  }
}

// Every int16 of tenths reads back as that many tenths divided by ten,
// whether a table or a division gives it.
TEST(SampleStore, EveryTenthReadsBackAsItsQuotient) {
  CSampleStore store;
  for (int k = std::numeric_limits<std::int16_t>::min() + 1; k <= std::numeric_limits<std::int16_t>::max();
       ++k)
    store.AppendAt(k / 10.0, 0, TimeStyle::PaddedHour, "dBA", 0, 1.0);
  ASSERT_TRUE(store.LevelsInTenths());
  store.ForEachLevelSpan(0, store.GetSize(), [&](std::span<const double> levels, std::size_t nAt) {
    for (std::size_t i = 0; i < levels.size(); ++i) {
      const double want = (static_cast<int>(nAt + i) + std::numeric_limits<std::int16_t>::min() + 1) / 10.0;
      ASSERT_EQ(Bits(levels[i]), Bits(want)) << nAt + i;
      ASSERT_EQ(Bits(store.Level(nAt + i)), Bits(want)) << nAt + i;
    }
  });
}

// Tenths turning into doubles part way, appended one by one or in bulk: the
// pyramid's extremes and first crossings match a walk over the levels.
TEST(SampleStore, PyramidMatchesTheLevelsBeforeAndAfterTheyTurnToDoubles) {
  std::mt19937 rng(5);
  for (bool bBulk : {false, true}) {
    CSampleStore store;
    std::vector<double> levels;
    if (bBulk)
      store.BeginBulkAppend();
    for (std::size_t n = 0; n < 20000; ++n) {
      levels.push_back(n == 12000 ? 77.77 : (static_cast<double>(rng() % 1400) - 100.0) / 10.0);
      store.AppendAt(levels.back(), 0, TimeStyle::PaddedHour, "dBA", 0, 1.0);
      if (n != 11999 && n != 19999)
        continue;
      store.EndBulkAppend();
      ASSERT_EQ(store.LevelsInTenths(), n < 12000);
      for (int q = 0; q < 200; ++q) {
        const std::size_t a = rng() % levels.size(), b = a + 1 + rng() % (levels.size() - a);
        const double bound = levels[a + (b - a) / 2];
        double lo = levels[a], hi = levels[a];
        std::size_t first = b;
        for (std::size_t i = a; i < b; ++i) {
          lo = std::min(lo, levels[i]), hi = std::max(hi, levels[i]);
          if (first == b && levels[i] > bound)
            first = i;
        }
        const LevelMinMax m = store.LevelRange(a, b);
        ASSERT_EQ(m.dMin, lo);
        ASSERT_EQ(m.dMax, hi);
        ASSERT_EQ(store.FirstHighOrLowWhere(
                      a, b, [&](double L) { return L > bound; }, [](double) { return false; }),
                  first);
      }
      if (bBulk)
        store.BeginBulkAppend();
    }
  }
}

// Times in runs of a start and a step: each run breaks where the step does,
// and every accessor gives back the time that went in.
TEST(SampleStore, TimesComeBackFromRunsOfAStartAndAStep) {
  constexpr CivilSeconds t0 = 1796607902;
  constexpr CivilSeconds kText = CSampleStore::kNoClockSeconds;
  std::vector<CivilSeconds> ramp(3000);
  for (std::size_t i = 0; i < ramp.size(); ++i)
    ramp[i] = t0 + static_cast<CivilSeconds>(i) * 2 + (i >= 1500 ? 600 : 0);
  const struct {
    const char *name;
    std::vector<CivilSeconds> t;
    std::size_t nRuns;
  } cases[] = {
      {"fixed 1 s", {t0, t0 + 1, t0 + 2, t0 + 3}, 1},
      {"0.5 s: each second twice", {t0, t0, t0 + 1, t0 + 1, t0 + 2, t0 + 2}, 1},
      {"0.5 s, its first second once", {t0, t0 + 1, t0 + 1, t0 + 2, t0 + 2, t0 + 3, t0 + 3}, 2},
      {"0.5 s, a second read thrice", {t0, t0, t0 + 1, t0 + 1, t0 + 1, t0 + 2, t0 + 2}, 2},
      {"a jump back", {t0, t0 + 1, t0 + 2, t0 - 50, t0 - 49}, 2},
      {"a gap", {t0, t0 + 2, t0 + 4, t0 + 104, t0 + 106}, 2},
      {"a changed rate", {t0, t0 + 1, t0 + 2, t0 + 4, t0 + 6, t0 + 8}, 2},
      {"texts among", {kText, kText, t0, t0 + 1, kText, t0 + 3, t0 + 4}, 4},
      {"one sample", {t0}, 1},
      {"a step past int32", {0, t0 * 4, t0 * 4 + 1}, 2},
      {"long, with a gap", ramp, 2},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    CSampleStore store;
    for (CivilSeconds t : c.t)
      if (t == kText)
        store.Emplace(50.0, "no time", "dBA", 0, 1.0);
      else
        store.AppendAt(50.0, t, TimeStyle::PaddedHour, "dBA", 0, 1.0);
    EXPECT_EQ(store.TimeRunCount(), c.nRuns);
    std::vector<CivilSeconds> viaSpans;
    const std::size_t nFrom = c.t.size() / 3;
    store.ForEachSampleSpan(
        nFrom, c.t.size() - nFrom,
        [&](std::span<const double> lv, std::span<const CivilSeconds> t, std::size_t nAt) {
          ASSERT_EQ(nAt, nFrom + viaSpans.size());
          ASSERT_EQ(lv.size(), t.size());
          viaSpans.insert(viaSpans.end(), t.begin(), t.end());
        });
    ASSERT_EQ(viaSpans.size(), c.t.size() - nFrom);
    std::optional<CivilSeconds> first;
    for (std::size_t i = 0; i < c.t.size(); ++i) {
      SCOPED_TRACE(i);
      const bool bText = c.t[i] == kText;
      if (!bText && !first)
        first = c.t[i];
      EXPECT_EQ(store.Seconds(i), bText ? std::nullopt : std::optional(c.t[i]));
      EXPECT_EQ(store.Time(i),
                bText ? "no time" : FormatTimeText(FromCivilSeconds(c.t[i]), TimeStyle::PaddedHour));
      if (i >= nFrom) {
        EXPECT_EQ(viaSpans[i - nFrom], c.t[i]);
      }
    }
    EXPECT_EQ(store.FirstClockSeconds(0, c.t.size()), first);
  }
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

// Readers that take the levels in spans, over a store longer than one span
// and a selection of two stretches, get the figures of the levels themselves.
TEST(SampleStore, FiguresOverSpansMatchTheLevels) {
  CSampleStore store;
  std::vector<double> levels;
  for (std::size_t i = 0; i < 10000; ++i) {
    levels.push_back(static_cast<double>(300 + (i * 7919) % 900) / 10.0);
    store.AppendAt(levels.back(), 0, TimeStyle::PaddedHour, "dBA", 0, 0.5);
  }
  CSampleSelection sel;
  sel.AddRange(store, 100, 3000);
  sel.AddRange(store, 5000, 4000);
  std::vector<double> chosen(levels.begin() + 100, levels.begin() + 3100);
  chosen.insert(chosen.end(), levels.begin() + 5000, levels.begin() + 9000);
  for (const auto &[array, want] :
       {std::pair{CSampleArray(store), levels}, std::pair{CSampleArray(sel), chosen}}) {
    const AcousticStats got = SampleAcousticStats(array, 0, array.GetSize(), 0.5);
    const AcousticStats ref = ComputeAcousticStats(want, 0.5);
    EXPECT_EQ(got.dLeq, ref.dLeq);
    EXPECT_EQ(got.dL10, ref.dL10);
    EXPECT_EQ(got.dL50, ref.dL50);
    EXPECT_EQ(got.dL90, ref.dL90);
  }
}

} // namespace
