#include "app/AppOptions.h"

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
  EXPECT_EQ(ParseAppOptions({}).options.strScreenshotOf, "main");
  EXPECT_EQ(ParseAppOptions({"--screenshot-of", "datalogger"}).options.strScreenshotOf, "datalogger");
  EXPECT_FALSE(ParseAppOptions({"--screenshot-of", "table"}).strError.empty());
}

} // namespace
