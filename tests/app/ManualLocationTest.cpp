#include "app/ManualLocation.h"

#include <gtest/gtest.h>

#include <set>

TEST(ManualLocation, InstalledThenBuildTreeInTheUsersLanguageThenPortuguese) {
  EXPECT_EQ(ManualLanguage("en_GB.UTF-8"), "en");
  EXPECT_EQ(ManualLanguage("en-US"), "en");
  EXPECT_EQ(ManualLanguage("pt_PT"), "pt");
  EXPECT_EQ(ManualLanguage("pl_PL"), "pt"); // any other language
  EXPECT_EQ(ManualLanguage(""), "pt");

  std::set<std::string> present;
  auto exists = [&](const std::string &p) { return present.count(p) > 0; };
  ManualLookup r = FindManual("/opt/tarvik/bin", "en_GB", exists);
  EXPECT_EQ(r.candidates, (std::vector<std::string>{"/opt/tarvik/share/tarvik/manual/en/index.html",
                                                    "/opt/tarvik/bin/manual/en/index.html",
                                                    "/opt/tarvik/share/tarvik/manual/pt/index.html",
                                                    "/opt/tarvik/bin/manual/pt/index.html"}));
  EXPECT_TRUE(r.strFound.empty());
  present = {"/opt/tarvik/bin/manual/pt/index.html", "/opt/tarvik/share/tarvik/manual/pt/index.html"};
  EXPECT_EQ(FindManual("/opt/tarvik/bin", "en_GB", exists).strFound,
            "/opt/tarvik/share/tarvik/manual/pt/index.html");
  present.insert("/opt/tarvik/bin/manual/en/index.html");
  EXPECT_EQ(FindManual("/opt/tarvik/bin/", "en_GB", exists).strFound, "/opt/tarvik/bin/manual/en/index.html");
  // Portuguese users are not offered the English text first.
  EXPECT_EQ(FindManual("/opt/tarvik/bin", "pt_PT", exists).candidates.size(), 2u);
}
