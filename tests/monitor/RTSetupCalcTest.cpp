#include "monitor/RTSetupCalc.h"
#include "records/SampleRates.h"

#include <gtest/gtest.h>

namespace {

TEST(RTSetupCalc, Durations) {
  EXPECT_EQ(DurationWords(SplitDuration(40000 * kSampleRates[2])), "5 hour 33 minute 20 second");
  EXPECT_EQ(DurationClock(SplitDuration(40000 * kSampleRates[2])), "5:33:20");
  EXPECT_EQ(DurationClock(SplitDuration(40000 * kSampleRates[9])), "111:6:40");
  EXPECT_EQ(DurationClock(SplitDuration(1 * kSampleRates[0])), "0:0:0");
  EXPECT_EQ(DurationClock(SplitDuration(3 * kSampleRates[4])), "0:0:4"); // 4.5 s truncated
  EXPECT_EQ(DurationClock(SplitDuration(40000 * kSampleRates[0])), "1:6:40");
  EXPECT_EQ(FormatSetupTime(1765000000), "2025-12-6,5:46:40");
}

TEST(RTSetupCalc, IntegerFieldValidation) {
  auto read = [](const char *t) { return ReadIntField(t, 1, 40000, kEnterAnInteger); };
  EXPECT_TRUE(read("40000").bOk);
  EXPECT_EQ(read(" 17 ").nValue, 17);
  EXPECT_EQ(read("40001").strError, "Enter an integer between 1 and 40000.");
  EXPECT_EQ(read("0").strError, "Enter an integer between 1 and 40000.");
  EXPECT_EQ(read("-5").strError, "Enter an integer between 1 and 40000.");
  EXPECT_EQ(read("99999999999999999999999").strError, "Enter an integer between 1 and 40000.");
  EXPECT_EQ(read("").strError, "Enter an integer.");
  EXPECT_EQ(read("12a").strError, "Enter an integer.");
  EXPECT_EQ(read("-").strError, "Enter an integer.");
  EXPECT_EQ(read("1.5").strError, "Enter an integer.");
  IntFieldRead port = ReadIntField("257", 0, 256, kEnterAPositiveInteger);
  EXPECT_EQ(port.strError, "Enter an integer between 0 and 256.");
  EXPECT_TRUE(ReadIntField("256", 0, 256, kEnterAPositiveInteger).bOk);
  EXPECT_EQ(ReadIntField("x", 0, 256, kEnterAPositiveInteger).strError, "Enter a positive integer.");
}

} // namespace
