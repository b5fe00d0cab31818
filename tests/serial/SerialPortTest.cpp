#include "serial/SerialPort.h"
#include "sim/PtyMaster.h"

#include "serial/PtyRead.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

constexpr const char *kPtsTemplate = "/dev/pts/%d";

bool OpenMeter(CSerialPort &port, const CPtyMaster &pty) {
  return port.Open(pty.SlaveNumber(), 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE, kPtsTemplate);
}

} // namespace

TEST(SerialPortTest, NumberedPortsGoThroughTheTemplate) {
  EXPECT_EQ(CSerialPort::PortDevice(CSerialPort::kDefaultPortTemplate, 3), "/dev/ttyUSB3");
  EXPECT_EQ(CSerialPort::PortDevice(CSerialPort::kDefaultPortTemplate, 12), "/dev/ttyUSB12");
  EXPECT_EQ(CSerialPort::PortDevice("/dev/ttyS%d", 0), "/dev/ttyS0");
  EXPECT_EQ(CSerialPort::PortDevice("/dev/pts/%d", 7), "/dev/pts/7");
}

TEST(SerialPortTest, ParityStopAndFlowCodesMapToTermios) {
  struct Case {
    int nParity;
    tcflag_t expected;
  } parities[] = {{PARITY_EVEN, PARENB},
                  {PARITY_MARK, PARENB | CMSPAR | PARODD},
                  {PARITY_NONE, 0},
                  {PARITY_ODD, PARENB | PARODD},
                  {PARITY_SPACE, PARENB | CMSPAR}};
  for (auto c : parities) {
    termios tio{};
    CSerialError e;
    ASSERT_TRUE(BuildLineSettings(tio, 9600, c.nParity, 8, STOPBITS_ONE, FLOW_NONE, e)) << c.nParity;
    EXPECT_EQ(tio.c_cflag & (PARENB | PARODD | CMSPAR), c.expected) << c.nParity;
    EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(cfgetospeed(&tio), speed_t(B9600));
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF));
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO));
  }

  termios tio{};
  CSerialError e;
  ASSERT_TRUE(BuildLineSettings(tio, 9600, PARITY_NONE, 7, STOPBITS_TWO, FLOW_CTS_RTS, e));
  EXPECT_TRUE(tio.c_cflag & CSTOPB);
  EXPECT_TRUE(tio.c_cflag & CRTSCTS);
  EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS7));

  ASSERT_TRUE(BuildLineSettings(tio, 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_XON_XOFF, e));
  EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF));
  EXPECT_EQ(tio.c_cc[VSTART], 0x11);
  EXPECT_EQ(tio.c_cc[VSTOP], 0x13);
  EXPECT_FALSE(tio.c_cflag & CRTSCTS);
}

TEST(SerialPortTest, SettingsWithoutALinuxCounterpartAreRefusedWithAReason) {
  struct Case {
    int nBaud, nParity, nData, nStop, nFlow;
  } cases[] = {{9600, PARITY_NONE, 8, STOPBITS_ONE5, FLOW_NONE},
               {9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_CTS_DTR},
               {9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_DSR_RTS},
               {9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_DSR_DTR},
               {9600, PARITY_NONE, 9, STOPBITS_ONE, FLOW_NONE},
               {9601, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE},
               {9600, 5, 8, STOPBITS_ONE, FLOW_NONE}};
  CPtyMaster pty;
  ASSERT_TRUE(pty.Open()) << pty.Error();
  for (auto c : cases) {
    CSerialPort port;
    EXPECT_FALSE(port.Open(pty.SlavePath(), c.nBaud, c.nParity, c.nData, c.nStop, c.nFlow));
    EXPECT_EQ(port.LastError().m_eReason, ESerialError::Unsupported);
    EXPECT_FALSE(port.LastError().m_strText.empty());
    EXPECT_FALSE(port.IsOpen());
  }
}

TEST(SerialPortTest, OpensRawAndExclusiveAndReadsTheSettingsBack) {
  CPtyMaster pty;
  ASSERT_TRUE(pty.Open()) << pty.Error();
  CSerialPort port;
  ASSERT_TRUE(OpenMeter(port, pty)) << port.LastError().m_strText;
  EXPECT_EQ(port.Device(), pty.SlavePath());
  EXPECT_EQ(port.PortNumber(), pty.SlaveNumber());
  termios tio{};
  ASSERT_TRUE(port.GetState(tio));
  EXPECT_EQ(cfgetispeed(&tio), speed_t(B9600));
  EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), tcflag_t(CS8));
  EXPECT_FALSE(tio.c_lflag & ICANON);
  EXPECT_FALSE(tio.c_iflag & (ICRNL | IXON));
  EXPECT_NE(::fcntl(port.Fd(), F_GETFD) & FD_CLOEXEC, 0);

  // flock holds against root too, who would pass TIOCEXCL.
  CSerialPort second;
  EXPECT_FALSE(OpenMeter(second, pty));
  EXPECT_EQ(second.LastError().m_eReason, ESerialError::InUse);
  EXPECT_FALSE(second.IsOpen());
  port.Close();
  EXPECT_TRUE(OpenMeter(second, pty)) << second.LastError().m_strText;
}

TEST(SerialPortTest, SettingsTheDriverQuietlyAltersAreRefused) {
  // A pseudo-terminal accepts tcsetattr but forces 8 bits without parity.
  CPtyMaster pty;
  ASSERT_TRUE(pty.Open());
  CSerialPort port;
  EXPECT_FALSE(port.Open(pty.SlavePath(), 19200, PARITY_EVEN, 7, STOPBITS_TWO, FLOW_NONE));
  EXPECT_EQ(port.LastError().m_eReason, ESerialError::SettingsRefused);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_TRUE(port.Open(pty.SlavePath(), 19200, PARITY_NONE, 8, STOPBITS_TWO, FLOW_NONE))
      << port.LastError().m_strText;
}

TEST(SerialPortTest, FailedOpensLeaveThePortClosedWithTheirReason) {
  CSerialPort port;
  EXPECT_FALSE(port.Open(250, 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE, "/dev/ttyTarvikMissing%d"));
  EXPECT_EQ(port.LastError().m_eReason, ESerialError::NoSuchDevice);
  EXPECT_EQ(port.LastError().m_nErrno, ENOENT);
  EXPECT_FALSE(port.IsOpen());

  EXPECT_FALSE(port.Open("/dev/null", 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE));
  EXPECT_EQ(port.LastError().m_eReason, ESerialError::NotSerialDevice);
  EXPECT_FALSE(port.IsOpen());

  // A failed reopen closes what was open before.
  CPtyMaster pty;
  ASSERT_TRUE(pty.Open());
  ASSERT_TRUE(OpenMeter(port, pty));
  EXPECT_FALSE(port.Open("/dev/ttyTarvikMissing0", 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE));
  EXPECT_FALSE(port.IsOpen());
  CSerialPort other;
  EXPECT_TRUE(OpenMeter(other, pty)) << "the old descriptor still held the lock";
}

TEST(SerialPortTest, StaleInputIsFlushedAndBytesPassUnchanged) {
  CPtyMaster pty;
  ASSERT_TRUE(pty.Open());
  {
    // Bytes queued on the slave before we open are not the meter's answer.
    int fd = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_TRUE(pty.WriteAll("stale", 5));
    ::usleep(20000);
    ::close(fd);
  }
  CSerialPort port;
  ASSERT_TRUE(OpenMeter(port, pty));
  unsigned char buf[64];
  EXPECT_EQ(port.Read(buf, sizeof buf), -1);
  EXPECT_EQ(port.LastError().m_eReason, ESerialError::WouldBlock);

  const unsigned char bytes[] = {0x00, 0x03, 0x0D, 0x11, 0x13, 0xFF, 0xA5, 0x0A};
  ASSERT_EQ(port.Write(bytes, sizeof bytes), ssize_t(sizeof bytes));
  auto got = ReadMaster(pty.Fd(), sizeof bytes);
  EXPECT_EQ(got, std::vector<unsigned char>(bytes, bytes + sizeof bytes));

  int nIn = -1, nOut = -1;
  ASSERT_TRUE(pty.WriteAll(bytes, 3));
  for (int i = 0; i < 100 && nIn < 3; ++i) {
    ASSERT_TRUE(port.GetQueueStatus(nIn, nOut));
    ::usleep(1000);
  }
  EXPECT_EQ(nIn, 3);
  ASSERT_TRUE(port.Purge(PURGE_RX | PURGE_TX));
  ASSERT_TRUE(port.GetQueueStatus(nIn, nOut));
  EXPECT_EQ(nIn, 0);
}

TEST(SerialPortTest, LineTimeoutsRuleABlockingRead) {
  CPtyMaster pty;
  ASSERT_TRUE(pty.Open());
  CSerialPort port;
  ASSERT_TRUE(OpenMeter(port, pty));
  ASSERT_TRUE(port.SetTimeouts({20, 1}));
  CLineTimeouts t;
  ASSERT_TRUE(port.GetTimeouts(t));
  EXPECT_EQ(t.m_nMinBytes, 20);
  EXPECT_EQ(t.m_nIntervalDeciseconds, 1);
  EXPECT_FALSE(port.SetTimeouts({256, 0}));
  ASSERT_TRUE(port.SetNonBlocking(false));

  unsigned char burst[50] = {};
  ASSERT_TRUE(pty.WriteAll(burst, sizeof burst));
  unsigned char buf[20];
  EXPECT_EQ(port.Read(buf, 20), 20);
  EXPECT_EQ(port.Read(buf, 20), 20);
  EXPECT_EQ(port.Read(buf, 20), 10); // ended by the inter-byte timer
}

TEST(SerialPortTest, CloseIsSafeTwiceAndOperationsOnAClosedPortFail) {
  CSerialPort port;
  port.Close();
  port.Close();
  unsigned char b = 0;
  EXPECT_EQ(port.Read(&b, 1), -1);
  EXPECT_EQ(port.LastError().m_eReason, ESerialError::NotOpen);
  EXPECT_EQ(port.Write(&b, 1), -1);
  termios tio{};
  EXPECT_FALSE(port.GetState(tio));
}
