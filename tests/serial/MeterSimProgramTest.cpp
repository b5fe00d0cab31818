#include "serial/ComPort.h"

#include "serial/ChunkCollector.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <thread>

using namespace std::chrono_literals;

TEST(MeterSimProgramTest, PrintsItsTerminalStreamsFramesAndHangsUp) {
  FILE *pOut = ::popen(TARVIK_METER_SIM " --interval 50 --level 71.5 --hangup-after 1 </dev/null", "r");
  ASSERT_NE(pOut, nullptr);
  char line[256] = {};
  ASSERT_NE(std::fgets(line, sizeof line, pOut), nullptr);
  std::string path(line);
  while (!path.empty() && path.back() == '\n')
    path.pop_back();
  ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;

  CChunkCollector got;
  CComPort port;
  port.SetReceiveCallback([&](const unsigned char *p, int n) { got.Add(p, n); });
  ASSERT_TRUE(port.Open(path, 2, 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE))
      << port.LastError().m_strText;
  ASSERT_TRUE(got.WaitBytes(40));
  EXPECT_EQ(got.Chunks()[0][0], 0xA5);
  for (int i = 0; i < 300 && !port.IsHungUp(); ++i)
    std::this_thread::sleep_for(10ms);
  EXPECT_TRUE(port.IsHungUp());
  port.Close();
  EXPECT_EQ(::pclose(pOut), 0);
}

TEST(MeterSimProgramTest, RefusesBadOptionsWithUsage) {
  int rc = std::system(TARVIK_METER_SIM " --steps 1,2 >/dev/null 2>&1");
  ASSERT_TRUE(WIFEXITED(rc));
  EXPECT_EQ(WEXITSTATUS(rc), 2);
  rc = std::system(TARVIK_METER_SIM " --recordings /nonexistent/tarvik.txt >/dev/null 2>&1");
  ASSERT_TRUE(WIFEXITED(rc));
  EXPECT_EQ(WEXITSTATUS(rc), 1);
}
