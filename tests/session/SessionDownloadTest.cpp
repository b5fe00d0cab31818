// Downloads of the meter's memory through the session, on a scripted link.
#include "session/SessionFixture.h"
#include "sim/SimWire.h"

namespace {

std::vector<CSimRecording> TwoRecordings() {
  CSimRecording a;
  a.m_nYear = 2026;
  a.m_nMonth = 3;
  a.m_nDay = 14;
  a.m_nHour = 15;
  a.m_levels = {60.1, 61.2, 62.3};
  CSimRecording b = a;
  b.m_bWeightA = false;
  b.m_nMinute = 30;
  b.m_levels = {70.0, 71.5};
  return {a, b};
}

// Counts what the data-logger store held when the session said it would change it.
struct CStoreWatch : ISessionObserver {
  explicit CStoreWatch(const CSampleStore &s) : store(s) {}
  void OnLogStoreChanging() override { nSizeThen = store.GetSize(); }
  void OnDownloadProgress(int nUpper, int nPos) override { progress.emplace_back(nUpper, nPos); }
  const CSampleStore &store;
  std::size_t nSizeThen = 99;
  std::vector<std::pair<int, int>> progress;
};

class DownloadTest : public SessionFixture {
protected:
  void Feed(const std::vector<std::uint8_t> &bytes, std::size_t nChunk = 20) {
    for (std::size_t i = 0; i < bytes.size(); i += nChunk)
      m_session.OnChunk(bytes.data() + i, std::min(nChunk, bytes.size() - i));
  }
  int Requests() const { return static_cast<int>(m_link.m_written.size() / 2); }
};

TEST_F(DownloadTest, RefusedDuringARunAndIgnoredWhileSilentOrBusy) {
  m_stores.m_log.Emplace(60.0, "07-12-2026,1:00:00", "dBA", 1, 1.0);
  EXPECT_EQ(m_session.Download(), S::EDownloadStart::MeterSilent);
  Hear();
  ASSERT_TRUE(m_session.StartRun(0.5));
  EXPECT_EQ(m_session.Download(), S::EDownloadStart::RunActive);
  m_session.StopRun();
  EXPECT_TRUE(m_link.m_written.empty());
  EXPECT_EQ(m_stores.m_log.GetSize(), 1u);
  EXPECT_FALSE(Active(S::TIMER_LOG_TIMEOUT));

  ASSERT_EQ(m_session.Download(), S::EDownloadStart::Started);
  m_stores.m_log.Emplace(70.0, "07-12-2026,1:00:00", "dBA", 1, 1.0);
  EXPECT_EQ(m_session.Download(), S::EDownloadStart::Busy);
  EXPECT_EQ(m_stores.m_log.GetSize(), 1u) << "a second download does not empty the store again";
  EXPECT_EQ(Requests(), 1);
}

TEST_F(DownloadTest, RequestsUntilTheHeaderThenDecodesTheRecordings) {
  CStoreWatch watch(m_stores.m_log);
  m_session.AddObserver(watch);
  m_stores.m_log.Emplace(60.0, "07-12-2026,1:00:00", "dBA", 1, 1.0);
  m_stores.m_log.Emplace(61.0, "07-12-2026,1:00:01", "dBA", 1, 1.0);
  Hear();
  ASSERT_EQ(m_session.Download(), S::EDownloadStart::Started);
  EXPECT_EQ(watch.nSizeThen, 2u) << "told before the records go";
  EXPECT_TRUE(m_stores.m_log.IsEmpty());
  EXPECT_FALSE(m_session.Progress().m_bLogHeader);
  EXPECT_EQ(m_link.m_written, (std::vector<std::uint8_t>{0x5A, 0xAC})); // at once
  EXPECT_EQ(DueInMs(S::TIMER_LOG_TIMEOUT), 250000);
  EXPECT_EQ(IntervalMs(S::TIMER_LOG_REQUEST), 100);
  Fire(S::TIMER_LOG_REQUEST);
  Fire(S::TIMER_LOG_REQUEST);
  EXPECT_EQ(Requests(), 3);
  EXPECT_EQ(m_session.DownloadPhase(), S::EDownloadPhase::Requesting);

  const std::vector<std::uint8_t> bytes = sim::BuildDownload(TwoRecordings());
  Feed({bytes.begin(), bytes.begin() + 20});
  Fire(S::TIMER_LOG_REQUEST);
  EXPECT_EQ(Requests(), 3) << "the header stops the request";
  EXPECT_EQ(m_session.DownloadPhase(), S::EDownloadPhase::Receiving);
  EXPECT_FALSE(Active(S::TIMER_LOG_REQUEST));
  Feed({bytes.begin() + 20, bytes.end()});
  EXPECT_EQ(m_log.m_events.back(), Ended(EDownloadEnd::Complete));
  EXPECT_EQ(m_session.DownloadPhase(), S::EDownloadPhase::Idle);
  EXPECT_FALSE(m_session.Downloading());
  EXPECT_FALSE(Active(S::TIMER_LOG_TIMEOUT));
  ASSERT_EQ(m_stores.m_log.GetSize(), 5u);
  EXPECT_DOUBLE_EQ(m_stores.m_log[0].m_dValue, 60.1);
  EXPECT_EQ(m_stores.m_log[3].m_strUnit, "dBC");
  EXPECT_NE(m_stores.m_log[0].m_nGroup, m_stores.m_log[3].m_nGroup);
  ASSERT_FALSE(watch.progress.empty());
  EXPECT_EQ(watch.progress.back().second, static_cast<int>(bytes.size()) - 3) << "bytes after the header";
  m_session.RemoveObserver(watch);
}

TEST_F(DownloadTest, AnEmptyMemoryEndsTheDownloadAtItsHeader) {
  Hear();
  ASSERT_EQ(m_session.Download(), S::EDownloadStart::Started);
  Feed(sim::BuildDownload({}));
  EXPECT_EQ(m_log.m_events.back(), Ended(EDownloadEnd::Empty));
  EXPECT_FALSE(Active(S::TIMER_LOG_REQUEST));
  EXPECT_TRUE(m_stores.m_log.IsEmpty());
  EXPECT_EQ(Requests(), 1);
}

TEST_F(DownloadTest, CancelSilenceStallAndWatchdogKeepTheWholeRecordingsThatArrived) {
  const std::vector<std::uint8_t> bytes = sim::BuildDownload(TwoRecordings());
  const std::size_t nHalf = bytes.size() - 6; // the second recording's last levels are missing
  for (EDownloadEnd e :
       {EDownloadEnd::Cancelled, EDownloadEnd::Silence, EDownloadEnd::Stalled, EDownloadEnd::Watchdog}) {
    Hear();
    ASSERT_EQ(m_session.Download(), S::EDownloadStart::Started);
    Feed({bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(nHalf)});
    if (e == EDownloadEnd::Cancelled) {
      m_session.CancelDownload();
    } else if (e == EDownloadEnd::Silence) {
      OpenPort();
      m_clock.m_wall += 2;
      Fire(S::TIMER_SILENCE);
    } else if (e == EDownloadEnd::Stalled) {
      Hear(); // live frames, no download byte
      m_clock.Step(Ms{10000});
      m_session.Timing().m_tLastRecv = m_clock.m_wall; // the frames go on
      Fire(S::TIMER_SILENCE);
    } else {
      // Heard all along, a stray byte now and then: only the watchdog ends it.
      const std::uint8_t trickle = 0xAB;
      while (Active(S::TIMER_LOG_TIMEOUT)) {
        m_clock.m_now += Ms{5000};
        m_session.Timing().m_tLastRecv = m_clock.m_wall;
        m_session.Advance(m_clock.m_now);
        m_session.OnChunk(&trickle, 1);
      }
    }
    EXPECT_EQ(m_log.m_events.back(), Ended(e));
    EXPECT_FALSE(m_session.Downloading());
    ASSERT_GE(m_stores.m_log.GetSize(), 3u) << static_cast<int>(e);
    EXPECT_DOUBLE_EQ(m_stores.m_log[2].m_dValue, 62.3);
    for (std::size_t i = 0; i < m_stores.m_log.GetSize(); ++i)
      EXPECT_GT(m_stores.m_log[i].m_dValue, 59.0) << "no level cut in half";
  }
}

} // namespace
