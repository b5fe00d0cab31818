// Opening and closing the meter's port over and over leaves nothing behind.
#include "monitor/PtyViewFixture.h"

namespace {

TEST_F(PtyViewFixture, AThousandOpensAndClosesLeaveNoDescriptorThreadOrMemory) {
  ASSERT_TRUE(m_line.Open()) << m_line.Error();
  const int nPort = m_line.SlaveNumber();
  // A first round allocates what stays for good (callbacks, error texts).
  ASSERT_TRUE(Session().ChoosePort(nPort));
  m_pLink->Close();
  const int nFds = OpenDescriptors();
  const int nThreads = Threads();
  const long nRss = ResidentKb();

  int nFailed = 0;
  for (int i = 0; i < 1000; ++i) {
    // The view's open closes the port first; every other round closes it too.
    if (!Session().ChoosePort(nPort))
      ++nFailed;
    if (i % 2 == 1)
      m_pLink->Close();
  }
  EXPECT_EQ(nFailed, 0);
  EXPECT_TRUE(m_pLink->IsOpen() == false);
  EXPECT_TRUE(m_prompts.m_asked.empty());
  EXPECT_EQ(OpenDescriptors(), nFds);
  EXPECT_EQ(Threads(), nThreads);
  if (kResidentSizeIsMeaningful) {
    EXPECT_LT(ResidentKb() - nRss, 1024);
  }

  // Bytes still reach the view after all that.
  ASSERT_TRUE(Session().ChoosePort(nPort));
  ASSERT_TRUE(m_line.WriteAll("\xa5\x0d", 2));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Reading().m_bDataReceived; }, 1000));
}

TEST_F(PtyViewFixture, FailedOpensLeaveNoDescriptorOrThreadEither) {
  ASSERT_TRUE(m_line.Open()) << m_line.Error();
  CComPort holder;
  holder.SetPortTemplate("/dev/pts/%d");
  ASSERT_TRUE(holder.Open(m_line.SlaveNumber(), 2, 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE));
  const int nFds = OpenDescriptors();
  const int nThreads = Threads();
  for (int i = 0; i < 200; ++i)
    EXPECT_FALSE(Session().ChoosePort(m_line.SlaveNumber()));
  EXPECT_EQ(m_prompts.Messages().size(), 200u);
  EXPECT_EQ(OpenDescriptors(), nFds);
  EXPECT_EQ(Threads(), nThreads);
}

} // namespace
