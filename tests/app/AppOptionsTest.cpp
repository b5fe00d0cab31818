#include "app/AppOptions.h"

#include "TarvikVersion.h"

#include <gtest/gtest.h>

namespace {

TEST(AppOptions, ParsesTheThreeOptionsAndRejectsTheRest) {
  AppOptionsResult r =
      ParseAppOptions({"--simulate", "--screenshot", "/tmp/a.png", "--port-template", "/dev/pts/%d"});
  ASSERT_EQ(r.strError, "");
  EXPECT_TRUE(r.options.bSimulate);
  EXPECT_EQ(r.options.strScreenshot, "/tmp/a.png");
  EXPECT_EQ(r.options.strPortTemplate, "/dev/pts/%d");
  EXPECT_FALSE(ParseAppOptions({"--screenshot"}).strError.empty());
  EXPECT_FALSE(ParseAppOptions({"--port-template", "/dev/ttyS0"}).strError.empty());
  EXPECT_FALSE(ParseAppOptions({"--simulat"}).strError.empty());
  EXPECT_FALSE(ParseAppOptions({}).options.bSimulate);
}

// Qt's own options reach Qt; ours around them still count, and a word after
// a Qt option is its value, never an error of ours.
TEST(AppOptions, LeavesQtOptionsToQtAndSeesHelpAndVersionAnywhere) {
  AppOptionsResult r = ParseAppOptions({"-platform", "offscreen", "--simulate", "-reverse", "--version"});
  ASSERT_EQ(r.strError, "");
  EXPECT_TRUE(r.options.bSimulate);
  EXPECT_TRUE(r.options.bVersion);
  EXPECT_TRUE(ParseAppOptions({"-style", "fusion", "-h"}).options.bHelp);
  EXPECT_EQ(ParseAppOptions({"-style", "fusion", "--bogus", "--help"}).strError, "unknown option --bogus");
  EXPECT_EQ(ParseAppOptions({"--version"}).options.bHelp, false);
  EXPECT_EQ(AppVersionText(), std::string("tarvik ") + kTarvikVersion + "\n");
}

} // namespace
