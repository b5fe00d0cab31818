#include "app/AppOptions.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct CRun {
  int nExit = -1;
  std::string strOut;
};

// The program with an empty environment: no DISPLAY, WAYLAND_DISPLAY or
// QT_QPA_PLATFORM, as in a console or a package's maintainer script.
CRun RunWithoutDisplay(const std::string &args) {
  CRun run;
  FILE *pOut = ::popen(("env -i " TARVIK_PROGRAM " " + args + " 2>&1").c_str(), "r");
  if (pOut == nullptr)
    return run;
  char buf[512];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pOut)) > 0;)
    run.strOut.append(buf, n);
  const int nStatus = ::pclose(pOut);
  run.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
  return run;
}

TEST(CommandLine, HelpVersionAndUsageErrorsNeedNoDisplay) {
  CRun help = RunWithoutDisplay("--help");
  EXPECT_EQ(help.nExit, 0) << help.strOut;
  EXPECT_EQ(help.strOut, AppUsage());

  CRun version = RunWithoutDisplay("-platform xcb --version");
  EXPECT_EQ(version.nExit, 0) << version.strOut;
  EXPECT_EQ(version.strOut, AppVersionText());

  CRun bad = RunWithoutDisplay("--simulat");
  EXPECT_EQ(bad.nExit, 2) << bad.strOut;
  EXPECT_EQ(bad.strOut.rfind("tarvik: unknown option --simulat\nusage: tarvik", 0), 0u) << bad.strOut;
}

} // namespace
