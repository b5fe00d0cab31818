// A port chosen by hand comes back with its device: the meter's node is
// reached through the port template, so a re-plugged meter on a new
// pseudo-terminal is the same port number.
#include "files/TempDir.h"
#include "serial/ChosenPort.h"
#include "session/PtySessionRig.h"

#include <filesystem>

namespace {

using Ms = std::chrono::milliseconds;
constexpr int kPort = 7;

struct ChosenPortRig {
  CTempDir dir;
  CPtySessionRig rig;
  ChosenPortRig() { rig.m_link.Port().SetPortTemplate(dir.File("tty%d")); }
  // The meter on a new terminal, behind port kPort.
  bool PlugIn() {
    if (!rig.PlugIn())
      return false;
    rig.m_link.Discovery().ClearExtraPorts(); // not found by discovery: only chosen by hand
    std::error_code ec;
    std::filesystem::remove(dir.File("tty7"), ec);
    std::filesystem::create_symlink(rig.SlavePath(), dir.File("tty7"));
    return true;
  }
};

} // namespace

TEST(ChosenPort, AHungUpPortChosenByHandIsOpenedAgainWhenItsDeviceArrives) {
  ChosenPortRig r;
  CPtySessionRig &rig = r.rig;
  ASSERT_TRUE(r.PlugIn());
  rig.Session().Begin();
  ASSERT_TRUE(rig.Session().ChoosePort(kPort));
  ASSERT_TRUE(rig.RunFor(Ms{1500}));
  ASSERT_EQ(rig.m_log.LastState(), ELinkState::Sending);

  rig.Unplug();
  ASSERT_TRUE(rig.RunFor(Ms{3000}));
  EXPECT_FALSE(rig.m_link.IsOpen());
  rig.Session().OnDeviceArrived(); // something else arrived: the port stays closed
  ASSERT_TRUE(rig.RunFor(Ms{1000}));
  EXPECT_FALSE(rig.m_link.IsOpen());

  ASSERT_TRUE(r.PlugIn());
  rig.Session().OnDeviceArrived();
  ASSERT_TRUE(rig.RunFor(Ms{1500}));
  EXPECT_TRUE(rig.m_link.IsOpen());
  EXPECT_EQ(rig.m_log.LastState(), ELinkState::Sending);
  EXPECT_EQ(rig.m_log.m_connections.back().nPort, kPort);
  EXPECT_FALSE(rig.Session().IsAutoPort());

  // Automatic selection again: arrivals search for the bridge instead.
  rig.Session().SetAutoPort();
  rig.Unplug();
  ASSERT_TRUE(r.PlugIn());
  rig.Session().OnDeviceArrived();
  ASSERT_TRUE(rig.RunFor(Ms{1500}));
  EXPECT_FALSE(rig.m_link.IsOpen());
}

TEST(ChosenPort, ArrivalsDoNothingWhileManualSelectionHasNoPortChosen) {
  ChosenPortRig r;
  CPtySessionRig &rig = r.rig;
  ASSERT_TRUE(r.PlugIn());
  rig.Session().Begin();
  rig.Session().SetManualPort(); // the port dialog cancelled
  rig.Session().OnDeviceArrived();
  ASSERT_TRUE(rig.RunFor(Ms{1500}));
  EXPECT_FALSE(rig.m_link.IsOpen());
}

TEST(ChosenPort, TheSettingsKeepTheChoiceBesideWhatElseTheyHold) {
  CTempDir dir;
  const std::string ini = dir.File("ColorConfig.ini");
  Spit(ini, "[Vomo_BKCOLOR]\nRVALUE=12\n");
  EXPECT_EQ(ReadChosenPort(ini), std::nullopt);
  ASSERT_TRUE(WriteChosenPort(ini, 5).Ok());
  EXPECT_EQ(ReadChosenPort(ini), 5);
  ASSERT_TRUE(WriteChosenPort(ini, std::nullopt).Ok());
  EXPECT_EQ(ReadChosenPort(ini), std::nullopt);
  EXPECT_EQ(Slurp(ini).rfind("[Vomo_BKCOLOR]\nRVALUE=12\n", 0), 0u);
  for (const char *value : {"", "x", "257", "-1"}) {
    Spit(ini, std::string("[Vomo_PORT]\nMANUAL=") + value + "\n");
    EXPECT_EQ(ReadChosenPort(ini), std::nullopt) << value;
  }
  Spit(ini, "[Vomo_PORT]\nMANUAL=0\n");
  EXPECT_EQ(ReadChosenPort(ini), 0);
}
