#include "graph/TimeLabels.h"
#include "graph/GraphMath.h"

#include <gtest/gtest.h>

namespace {
CGraphState State(int w = 290) {
  CGraphState s;
  SetDefaultView(s, w, 230);
  return s;
}
std::vector<std::string> Labels(const CGraphState &s, const CSampleArray &a) {
  return ComputeTimeLabels(s, a).labels;
}
} // namespace

TEST(TimeLabels, ParseAcceptsBothSampleFormsAndRejectsOutOfRange) {
  auto t = ParseDateTime("07-12-2026,01:45:03");
  ASSERT_TRUE(t);
  EXPECT_EQ(FormatDateTime(*t), "07-12-2026,01:45:03");
  EXPECT_EQ(FormatClock(*t), "01:45:03");
  auto d = ParseDateTime("7-12-2026,1:45:03"); // downloads leave the hour unpadded
  ASSERT_TRUE(d);
  EXPECT_EQ(*d, *t);
  for (const char *bad :
       {"07-12-1899,01:45:03", "07-13-2026,01:45:03", "07-00-2026,01:45:03", "32-12-2026,01:45:03",
        "00-12-2026,01:45:03", "07-12-2026,24:00:00", "07-12-2026,01:60:00", "07-12-2026,01:45:60",
        "07-12-2026 01:45:03", "01:45:03", ""})
    EXPECT_FALSE(ParseDateTime(bad)) << bad;
}

TEST(TimeLabels, EmptyArrayCountsFromMidnightInEqualSteps) {
  CGraphState s = State(); // 200 x 0.1 = 20 samples wide: 4-second steps
  CSampleStore store;
  auto r = ComputeTimeLabels(s, store);
  EXPECT_FALSE(r.Failed());
  EXPECT_EQ(r.labels, (std::vector<std::string>{"00:00:00", "00:00:04", "00:00:08", "00:00:12", "00:00:16",
                                                "00:00:20"}));
}

TEST(TimeLabels, SingleSampleStepsByItsInterval) {
  CGraphState s = State();
  CSampleStore store;
  store.Emplace(50.0, "07-12-2026,23:59:58", "dBA", 0, 2.5);
  // tick 0 is the sample; tick 1 is T0 + 4 x 2.5 s; later ticks continue that step
  EXPECT_EQ(Labels(s, store), (std::vector<std::string>{"23:59:58", "00:00:08", "00:00:18", "00:00:28",
                                                        "00:00:38", "00:00:48"}));
}

TEST(TimeLabels, LabelsFallOnNearestSamplesThenExtrapolate) {
  CGraphState s = State();
  CSampleStore store;
  for (int i = 0; i < 10; ++i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "01-03-2024,10:00:%.2d", i * 3); // irregular: 3 s apart
    store.Emplace(50.0, buf, "dBA", 0, 1.0);
  }
  // ticks at samples 0, 4 and 8, then past the data: +12 s each
  EXPECT_EQ(Labels(s, store), (std::vector<std::string>{"10:00:00", "10:00:12", "10:00:24", "10:00:36",
                                                        "10:00:48", "10:01:00"}));
}

TEST(TimeLabels, ScrolledPastTheDataCountsFromTheFirstSample) {
  CGraphState s = State();
  s.m_xOffset = 100; // nothing of the 5 samples in view
  CSampleStore store;
  for (int i = 0; i < 5; ++i)
    store.Emplace(50.0, "01-03-2024,10:00:0" + std::to_string(i), "dBA", 0, 1.0);
  EXPECT_EQ(Labels(s, store), (std::vector<std::string>{"10:00:00", "10:00:04", "10:00:08", "10:00:12",
                                                        "10:00:16", "10:00:20"}));
}

TEST(TimeLabels, TextWithoutCommaIsShownWhole) {
  CGraphState s = State();
  CSampleStore store;
  store.Emplace(50.0, "no time", "dBA", 0, 1.0);
  auto r = ComputeTimeLabels(s, store);
  ASSERT_FALSE(r.labels.empty());
  EXPECT_EQ(r.labels[0], "no time");
  // the next label needs that text as a date-time: the labels stop there
  EXPECT_EQ(r.nFailedAt, 1);
  EXPECT_EQ(r.labels.size(), 1u);
  EXPECT_EQ(r.strBadText, "no time");
}

// A download's unpadded hour reads with two digits on the axis, as the
// labels computed past the data do; the sample's own text is not changed.
TEST(TimeLabels, HoursAlwaysShowTwoDigits) {
  const std::pair<const char *, const char *> cases[] = {{"14-05-2026,8:30:00", "08:30:00"},
                                                         {"14-05-2026,18:30:00", "18:30:00"},
                                                         {"14-05-2026,08:30:00", "08:30:00"},
                                                         {"8:30:00", "8:30:00"}}; // no date: shown whole
  for (auto [text, label] : cases)
    EXPECT_EQ(ClockPart(text), label) << text;
  CGraphState s = State();
  CSampleStore store;
  for (int i = 0; i < 25; ++i) // a download's texts: 9:59:00 to 9:59:24
    store.Emplace(50.0, "14-05-2026,9:59:" + std::string(i < 10 ? "0" : "") + std::to_string(i), "dBA", 0,
                  1.0);
  auto r = ComputeTimeLabels(s, store);
  ASSERT_EQ(r.labels.size(), 6u);
  for (const std::string &l : r.labels)
    EXPECT_EQ(l.size(), 8u) << l;
  EXPECT_EQ(store[0].m_strTime, "14-05-2026,9:59:00");
}

TEST(TimeLabels, UnreadablePreviousLabelStopsExtrapolation) {
  CGraphState s = State();
  CSampleStore store;
  for (int i = 0; i < 5; ++i)
    store.Emplace(50.0, "01-03-2024,10:00:0" + std::to_string(i), "dBA", 0, 1.0);
  store.Emplace(50.0, "garbage", "dBA", 0, 1.0); // sample 5
  store.Emplace(50.0, "01-03-2024,10:00:06", "dBA", 0, 1.0);
  store.Emplace(50.0, "01-03-2024,10:00:07", "dBA", 0, 1.0);
  store.Emplace(50.0, "x,y", "dBA", 0, 1.0); // sample 8
  auto r = ComputeTimeLabels(s, store);
  EXPECT_EQ(r.labels, (std::vector<std::string>{"10:00:00", "10:00:04", "y"}));
  EXPECT_EQ(r.nFailedAt, 3);
  EXPECT_EQ(r.strBadText, "x,y");
}

TEST(TimeLabels, WidthWhereTheSpanComesOutBelowTwenty) {
  // For some plot widths W x (20 / W) is a hair below 20: the step is 3 s.
  int w = 1;
  for (; w < 2000; ++w)
    if (w * (20.0 / w) < 20.0)
      break;
  ASSERT_LT(w, 2000);
  CGraphState s = State(w + 90);
  CSampleStore store;
  EXPECT_EQ(Labels(s, store)[1], "00:00:03");
}
