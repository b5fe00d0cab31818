#include "serial/OpenFailureText.h"
#include "serial/PortOpener.h"
#include "sim/PtyMaster.h"

#include "serial/ChunkCollector.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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
