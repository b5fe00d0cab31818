#include "assess/NoiseAssessor.h"
#include "assess/EventJournal.h"
#include "files/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <vector>

namespace {
constexpr CivilSeconds kT0 = 1796725800; // 08-12-2026,10:30:00 on the clock face

struct Fed {
  std::vector<NoiseEvent> events;
  std::vector<bool> open; // an event open after each sample
};

// Levels one second apart from kT0; a NaN stands for a minute of gap.
Fed Feed(const std::vector<double> &levels, AssessSettings set) {
  CNoiseAssessor a(set);
  Fed f;
  CivilSeconds t = kT0;
  for (double d : levels) {
    if (std::isnan(d)) {
      t += 60;
      continue;
    }
    a.Add(d, t++, 1.0);
    f.open.push_back(a.OpenEvent().has_value());
  }
  a.Finish();
  f.events = a.Events();
  return f;
}

AssessSettings Threshold(double d, double dMin = 1, double dRelease = 1) {
  AssessSettings s;
  s.dThreshold = d;
  s.dMinDurationSec = dMin;
  s.dReleaseSec = dRelease;
  return s;
}
} // namespace

TEST(NoiseAssessor, EventsHoldShortDipsEndAfterTheReleaseTimeAndDropShortOnes) {
  const double gap = NAN;
  struct Case {
    const char *name;
    std::vector<double> levels;
    AssessSettings set;
    std::vector<std::pair<std::size_t, std::size_t>> spans; // first, last
  };
  const Case cases[] = {
      {"a dip shorter than the release stays inside",
       {80, 90, 90, 80, 90, 80, 80, 80},
       Threshold(85, 1, 2),
       {{1, 4}}},
      {"a dip as long as the release ends it", {90, 80, 90}, Threshold(85, 1, 1), {{0, 0}, {2, 2}}},
      {"the threshold itself counts as above", {85, 85, 84.9}, Threshold(85), {{0, 1}}},
      {"shorter than the minimum duration is dropped", {90, 80, 90, 90, 90, 80}, Threshold(85, 3), {{2, 4}}},
      {"a gap ends the event at its last sample",
       {90, 90, gap, 90, 80},
       Threshold(85, 1, 10),
       {{0, 1}, {2, 2}}},
      {"the end of the data ends it", {80, 90, 90, 80}, Threshold(85, 1, 5), {{1, 2}}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    const Fed f = Feed(c.levels, c.set);
    ASSERT_EQ(f.events.size(), c.spans.size());
    for (std::size_t i = 0; i < c.spans.size(); ++i) {
      EXPECT_EQ(f.events[i].nFirst, c.spans[i].first);
      EXPECT_EQ(f.events[i].nLast, c.spans[i].second);
      EXPECT_DOUBLE_EQ(f.events[i].dDurationSec,
                       static_cast<double>(c.spans[i].second - c.spans[i].first + 1));
    }
  }
}

TEST(NoiseAssessor, EventFiguresCoverEverySampleFromStartToEnd) {
  // 90, 90, 80, 90: Leq = 10·log10((3·10^9 + 10^8) / 4) = 88.89, SEL = Leq + 10·log10(4 s)
  const Fed f = Feed({70, 90, 90, 80, 90, 70, 70}, Threshold(85, 1, 2));
  ASSERT_EQ(f.events.size(), 1u);
  const NoiseEvent &e = f.events[0];
  EXPECT_EQ(e.tStart, kT0 + 1);
  EXPECT_EQ(e.tEnd, kT0 + 4);
  EXPECT_DOUBLE_EQ(e.dLmax, 90.0);
  EXPECT_NEAR(e.dLeq, 10 * std::log10(3.1e9 / 4), 1e-9);
  EXPECT_NEAR(e.dSel, e.dLeq + 10 * std::log10(4.0), 1e-9);
}

TEST(NoiseAssessor, AlarmIsOnWhileAnEventIsOpenAndClearsAfterTheRelease) {
  const Fed f = Feed({80, 90, 80, 80, 80, 90}, Threshold(85, 1, 3));
  EXPECT_EQ(f.open, (std::vector<bool>{false, true, true, true, false, true}));

  CNoiseAssessor a(Threshold(85, 1, 3));
  a.Add(80, kT0, 1);
  const CNoiseAssessor::Change opened = a.Add(87.3, kT0 + 1, 1);
  a.Add(89.0, kT0 + 2, 1);
  EXPECT_TRUE(opened.EventOpened());
  ASSERT_TRUE(a.OpenEvent());
  EXPECT_EQ(a.OpenEvent()->tStart, kT0 + 1);
  EXPECT_DOUBLE_EQ(a.OpenEvent()->dLmax, 89.0);
  EXPECT_TRUE(a.OpenEvent()->bAbove);
  a.Add(70, kT0 + 3, 1);
  EXPECT_FALSE(a.OpenEvent()->bAbove);
}

TEST(NoiseAssessor, LivePeriodGrowsAndClosesWhenTheClockPassesItsEnd) {
  AssessSettings set;
  set.nPeriodSec = 60;
  CNoiseAssessor a(set);
  for (int i = 0; i < 30; ++i)
    EXPECT_FALSE(a.Add(60.0, kT0 + 30 + i, 1).PeriodClosed());
  ASSERT_TRUE(a.OpenPeriod());
  EXPECT_EQ(a.OpenPeriod()->tStart, kT0);
  EXPECT_DOUBLE_EQ(a.OpenPeriod()->dCoveragePercent, 50.0);
  EXPECT_TRUE(a.Add(61.0, kT0 + 60, 1).PeriodClosed());
  ASSERT_EQ(a.Periods().size(), 1u);
  EXPECT_EQ(a.Periods()[0].nSamples, 30u);
  EXPECT_EQ(a.OpenPeriod()->nSamples, 1u);
}

TEST(EventJournal, LinesReadBackAndACutLastLineIsLeftOut) {
  AssessSettings s;
  s.nPeriodSec = 300;
  s.dThreshold = 87.5;
  s.dReleaseSec = 2.5;
  NoiseEvent e{12, 20, kT0 + 12, kT0 + 20, 9.0, 93.4, 90.12, 99.66};
  const std::string text = SettingsJournalLine(AssessSettings{}) + EventJournalLine(e) +
                           SettingsJournalLine(s) + EventJournalLine(e) + EventJournalLine(e).substr(0, 20);
  const JournalledAssessment j = ParseEventJournal(text);
  ASSERT_TRUE(j.settings);
  EXPECT_EQ(j.settings->nPeriodSec, 300);
  EXPECT_EQ(j.settings->dThreshold, 87.5);
  EXPECT_EQ(j.settings->dReleaseSec, 2.5);
  EXPECT_FALSE(j.settings->dExposureHours);
  ASSERT_EQ(j.events.size(), 1u); // the events after the last settings, less the cut one
  EXPECT_EQ(j.events[0].nFirst, 12u);
  EXPECT_EQ(j.events[0].tEnd, kT0 + 20);
  EXPECT_DOUBLE_EQ(j.events[0].dLeq, 90.12);
}

TEST(EventJournal, FilesBesideJournalsThatAreGoneAreRemoved) {
  CTempDir dir;
  for (const char *name : {"a.journal", "a.journal.events", "b.journal.events", "c.txt"})
    std::ofstream(dir.File(name)) << "x";
  RemoveEventJournalsWithoutJournal(dir.Path().string());
  EXPECT_TRUE(std::filesystem::exists(dir.File("a.journal.events")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("b.journal.events")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("c.txt")));
}
