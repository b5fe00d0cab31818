#include "serial/OpenFailureText.h"
#include "serial/PortOpener.h"
#include "sim/PtyMaster.h"

#include "files/TempDir.h"
#include "serial/ChunkCollector.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

using namespace std::chrono_literals;

// Tests run as root, whom file modes do not stop: the permission text is
// checked through the mapping from errno.
TEST(OpenFailureTextTest, EachReasonTellsWhatHappenedAndWhatToDo) {
  auto text = OpenFailureText(3, "/dev/ttyUSB3", MakeSerialErrno(EACCES));
  EXPECT_EQ(text.substr(0, text.find('\n')), "Warning:Can't open COM3!");
  EXPECT_NE(text.find("/dev/ttyUSB3"), std::string::npos);
  EXPECT_NE(text.find("dialout"), std::string::npos);
  EXPECT_NE(text.find("log in again"), std::string::npos);

  auto busy = OpenFailureReason("/dev/ttyUSB0", MakeSerialErrno(EBUSY));
  EXPECT_NE(busy.find("Another program holds /dev/ttyUSB0"), std::string::npos);
  EXPECT_EQ(OpenFailureReason("/dev/ttyUSB0", MakeSerialErrno(EWOULDBLOCK)), busy);

  EXPECT_NE(OpenFailureReason("/dev/ttyUSB0", MakeSerialErrno(ENOENT)).find("does not exist"),
            std::string::npos);
  EXPECT_NE(OpenFailureReason("/dev/ttyUSB0", MakeSerialErrno(ENODEV), true).find("brltty"),
            std::string::npos);
  EXPECT_NE(OpenFailureReason("/dev/null", MakeSerialErrno(ENOTTY)).find("not a serial device"),
            std::string::npos);
  EXPECT_EQ(OpenFailureText(12, "/dev/ttyUSB12", MakeSerialErrno(EIO)).substr(0, 25),
            "Warning:Can't open COM12!");
}

namespace {

CDeviceAccess Node(unsigned nUid, unsigned nGid, const std::string &strGroup, unsigned nMode,
                   bool bRuleInstalled = false) {
  CDeviceAccess access;
  access.m_bKnown = true;
  access.m_nUid = nUid;
  access.m_nGid = nGid;
  access.m_strGroup = strGroup;
  access.m_nMode = nMode;
  access.m_bRuleInstalled = bRuleInstalled;
  return access;
}

bool Has(const std::string &text, const std::string &part) {
  return text.find(part) != std::string::npos;
}

} // namespace

// Each way a bridge's node can be owned: the rule is always the first
// advice; a group only where joining it would let the user open the node.
TEST(PermissionMessage, NamesTheDeviceTheRuleAndOnlyAGroupThatCanHelp) {
  const CSerialError denied = MakeSerialErrno(EACCES);
  const std::string dev = "/dev/ttyUSB0";

  const std::string usual = OpenFailureReason(dev, denied, false, Node(0, 20, "dialout", 0660));
  EXPECT_TRUE(Has(usual, "Permission denied on /dev/ttyUSB0 (owner root, group dialout, mode 0660)"))
      << usual;
  EXPECT_TRUE(Has(usual, "install the udev rule 70-tarvik.rules")) << usual;
  EXPECT_TRUE(Has(usual,
                  "or else add your user to the dialout group (sudo usermod -aG dialout $USER) and log "
                  "in again."))
      << usual;
  EXPECT_LT(usual.find("udev rule"), usual.find("dialout group"));

  const std::string uucp = OpenFailureReason(dev, denied, false, Node(0, 14, "uucp", 0660));
  EXPECT_TRUE(Has(uucp, "add your user to the uucp group (sudo usermod -aG uucp $USER)")) << uucp;
  EXPECT_FALSE(Has(uucp, "dialout")) << uucp;

  // Root-owned and closed to every group: joining a group cannot help.
  for (const CDeviceAccess &closed : {Node(0, 0, "root", 0600), Node(0, 20, "dialout", 0600),
                                      Node(0, 0, "root", 0660), Node(0, 20, "dialout", 0640)}) {
    const std::string text = OpenFailureReason(dev, denied, false, closed);
    EXPECT_TRUE(Has(text, "install the udev rule 70-tarvik.rules")) << text;
    EXPECT_FALSE(Has(text, "dialout group")) << text;
    EXPECT_FALSE(Has(text, "usermod")) << text;
    EXPECT_FALSE(Has(text, "log in again")) << text;
    EXPECT_TRUE(Has(text, "no group may open it")) << text;
  }
  EXPECT_TRUE(Has(OpenFailureReason(dev, denied, false, Node(0, 0, "root", 0600)),
                  "(owner root, group root, mode 0600)"));

  // The rule is in place but did not reach this node (plugged in before the
  // install, or a remote login): telling to install it again would not help.
  const std::string ruled = OpenFailureReason(dev, denied, false, Node(0, 20, "dialout", 0660, true));
  EXPECT_FALSE(Has(ruled, "install the udev rule")) << ruled;
  EXPECT_TRUE(Has(ruled, "70-tarvik.rules is installed")) << ruled;
  EXPECT_TRUE(Has(ruled, "unplug the meter and plug it in again")) << ruled;
  EXPECT_TRUE(Has(ruled, "dialout group")) << ruled;

  // Already in the group, but not in this login: joining again would not help.
  CDeviceAccess pending = Node(0, 20, "dialout", 0660);
  pending.m_bGroupPending = true;
  const std::string relog = OpenFailureReason(dev, denied, false, pending);
  EXPECT_TRUE(Has(relog, "log out and in again: your user joined the dialout group after this login began."))
      << relog;
  EXPECT_FALSE(Has(relog, "usermod")) << relog;

  // A node that could not be examined gets both pieces of advice.
  const std::string unknown = OpenFailureReason(dev, denied);
  EXPECT_TRUE(Has(unknown, "install the udev rule 70-tarvik.rules")) << unknown;
  EXPECT_TRUE(Has(unknown, "dialout group")) << unknown;
  EXPECT_FALSE(Has(unknown, "owner")) << unknown;

  const std::string full = OpenFailureText(4, "/dev/ttyUSB4", denied, false, Node(1000, 1000, "ana", 0600));
  EXPECT_EQ(full.substr(0, full.find('\n')), "Warning:Can't open COM4!");
  EXPECT_TRUE(Has(full, "(owner uid 1000, group ana, mode 0600)")) << full;
}

// What the permission message is built from, read from real files.
TEST(DeviceAccessProbe, ReadsOwnerGroupModeAndWhetherTheRuleIsInEffect) {
  CTempDir dir;
  const std::string node = dir.File("ttyFake0");
  { std::ofstream(node) << ""; }
  ASSERT_EQ(chmod(node.c_str(), 0640), 0);
  const std::string etc = dir.File("etc"), lib = dir.File("lib");
  std::filesystem::create_directories(etc);
  std::filesystem::create_directories(lib);

  CDeviceAccess access = ProbeDeviceAccess(node, {etc, lib});
  EXPECT_TRUE(access.m_bKnown);
  EXPECT_EQ(access.m_nUid, getuid());
  EXPECT_EQ(access.m_nGid, getgid());
  EXPECT_EQ(access.m_nMode, 0640u);
  EXPECT_FALSE(access.m_strGroup.empty());
  EXPECT_FALSE(access.m_bGroupPending) << "this process carries its own group";
  EXPECT_FALSE(access.m_bRuleInstalled);
  EXPECT_FALSE(ProbeDeviceAccess(dir.File("ttyMissing"), {etc, lib}).m_bKnown);

  { std::ofstream(lib + "/70-tarvik.rules") << "TAG+=\"uaccess\"\n"; }
  EXPECT_TRUE(ProbeDeviceAccess(node, {etc, lib}).m_bRuleInstalled);
  // A link to /dev/null, or an empty file, in a folder read first masks it.
  std::filesystem::create_symlink("/dev/null", etc + "/70-tarvik.rules");
  EXPECT_FALSE(ProbeDeviceAccess(node, {etc, lib}).m_bRuleInstalled);
  std::filesystem::remove(etc + "/70-tarvik.rules");
  { std::ofstream(etc + "/70-tarvik.rules") << ""; }
  EXPECT_FALSE(ProbeDeviceAccess(node, {etc, lib}).m_bRuleInstalled);
}

namespace {
struct CFakeClock {
  std::chrono::steady_clock::time_point t{std::chrono::hours(1)};
  std::chrono::steady_clock::time_point operator()() const { return t; }
};
} // namespace

TEST(PortOpenerTest, OpensWithTheMeterSettingsAndTheCallbackBeforeTheFirstRead) {
  CChunkCollector got;
  CPtyMaster pty;
  ASSERT_TRUE(pty.Open());
  CComPort port;
  port.SetPortTemplate("/dev/pts/%d");
  port.SetReadSize(5);
  CPortOpener opener(port);
  opener.SetReceiveCallback([&](const unsigned char *p, int n) { got.Add(p, n); });
  auto r = opener.OpenPort(pty.SlaveNumber());
  ASSERT_EQ(r.m_eOutcome, COpenResult::Opened) << r.m_error.m_strText;
  EXPECT_EQ(r.m_strDevice, pty.SlavePath());
  unsigned char frame[25] = {0xA5, 0x0D};
  ASSERT_TRUE(pty.WriteAll(frame, sizeof frame));
  ASSERT_TRUE(got.WaitBytes(25));
  EXPECT_EQ(got.Sizes()[0], 20u) << "the read size is the meter's 20 bytes";

  // Reopening the same port closes it first, so its own lock does not stop it.
  EXPECT_EQ(opener.OpenPort(pty.SlaveNumber()).m_eOutcome, COpenResult::Opened);
}

TEST(PortOpenerTest, FailuresRightAfterAnArrivalAreRetriedForAboutTwoSeconds) {
  CComPort port;
  port.SetPortTemplate("/dev/ttyTarvikMissing%d");
  CFakeClock clock;
  CPortOpener opener(port, [&] { return clock(); });

  auto r = opener.OpenPort(5); // no arrival: fail at once
  EXPECT_EQ(r.m_eOutcome, COpenResult::Failed);
  EXPECT_EQ(r.m_error.m_eReason, ESerialError::NoSuchDevice);
  EXPECT_EQ(r.m_strMessage,
            "Warning:Can't open COM5!\n/dev/ttyTarvikMissing5 does not exist; is the meter connected?");

  opener.NoteArrival();
  clock.t += 200ms;
  r = opener.OpenPort(5);
  EXPECT_EQ(r.m_eOutcome, COpenResult::RetryLater);
  EXPECT_EQ(r.m_nRetryMs, 250);
  EXPECT_TRUE(r.m_strMessage.empty());
  clock.t += 1700ms;
  EXPECT_EQ(opener.OpenPort(5).m_eOutcome, COpenResult::RetryLater);
  clock.t += 200ms;
  r = opener.OpenPort(5);
  EXPECT_EQ(r.m_eOutcome, COpenResult::Failed);
  EXPECT_NE(r.m_strMessage.find("brltty"), std::string::npos) << "the node appeared and went away";
  EXPECT_FALSE(port.IsOpen());

  // Not a serial device is no race with the system: it fails at once even after an arrival.
  port.SetPortTemplate("/dev/null");
  opener.NoteArrival();
  r = opener.OpenPort(0);
  EXPECT_EQ(r.m_eOutcome, COpenResult::Failed);
  EXPECT_EQ(r.m_error.m_eReason, ESerialError::NotSerialDevice);
}
