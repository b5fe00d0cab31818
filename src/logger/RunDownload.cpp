#include "logger/RunDownload.h"

#include "logger/LinkNews.h"
#include "logger/LoggerRun.h"
#include "logger/RecordingFiles.h"
#include "logger/RunLoop.h"
#include "meter/ReceivePath.h"

namespace {

class CDownloadObserver : public CLinkNewsObserver {
public:
  // A meter that has sent every byte its header announced but no end
  // marker is given this long for it before the download is taken as whole.
  static constexpr std::chrono::seconds kEndMarkerWait{1};

  explicit CDownloadObserver(CLoggerEnv &env) : m_env(env) {}
  void OnDownloadProgress(int nUpper, int nPos) override {
    if (!m_sizeReached && nUpper > 0 && nPos >= nUpper)
      m_sizeReached = SteadyClock::now();
    m_nUpper = nUpper;
    if (!m_env.bTerminal)
      return;
    m_env.err("\rdownloading: " + std::to_string(nPos) + " of " + std::to_string(nUpper) + " bytes\x1b[K");
    m_bProgressShown = true;
  }
  void OnDownloadEnded(EDownloadEnd eEnd) override {
    m_bDone = true;
    m_bFailed = eEnd != EDownloadEnd::Complete && eEnd != EDownloadEnd::Empty;
    m_eEnd = eEnd;
  }
  void Say(const std::string &s) {
    m_env.err(std::string(m_bProgressShown ? "\r\x1b[K" : "") + "tarvik-logger: " + s + "\n");
    m_bProgressShown = false;
  }
  // Every announced byte has been in for kEndMarkerWait without the end
  // marker: it is missing, not the data, and whatever the line carries
  // next (live frames, noise) cannot hold the download open.
  bool WholeWithoutEndMarker(SteadyClock::time_point now) const {
    return !m_bDone && m_sizeReached && now - *m_sizeReached >= kEndMarkerWait;
  }
  std::optional<SteadyClock::time_point> EndMarkerDeadline() const {
    if (m_bDone || !m_sizeReached)
      return std::nullopt;
    return *m_sizeReached + kEndMarkerWait;
  }
  int Announced() const { return m_nUpper; }
  bool m_bFound = false;
  bool m_bDone = false;
  bool m_bFailed = false;
  EDownloadEnd m_eEnd = EDownloadEnd::Complete;

private:
  void OnMeterFound(const std::string &strDevice) override {
    if (m_bFound)
      return;
    m_bFound = true;
    Say("meter found on " + strDevice + ", fetching its recordings");
  }
  void OnMeterLost(const std::string &strWhy) override { Say(strWhy); }
  void OnWaiting(const std::string &strWhat) override {
    if (strWhat != m_strLastWait)
      Say(strWhat);
    m_strLastWait = strWhat;
  }

  CLoggerEnv &m_env;
  std::string m_strLastWait;
  bool m_bProgressShown = false;
  int m_nUpper = 0;
  std::optional<SteadyClock::time_point> m_sizeReached;
};

std::string WhyCutShort(EDownloadEnd eEnd) {
  switch (eEnd) {
  case EDownloadEnd::Stalled:
    return "no download bytes for " + std::to_string(CReceivePath::kDownloadStallLimit.count()) +
           " s while the meter went on sending its display";
  case EDownloadEnd::Silence:
    return "the meter fell silent";
  case EDownloadEnd::HangUp:
    return "the meter's port went away";
  case EDownloadEnd::Watchdog:
    return "no end within " +
           std::to_string(
               std::chrono::duration_cast<std::chrono::seconds>(CMeterSession::kLogTimeout).count()) +
           " s";
  case EDownloadEnd::Cancelled:
  case EDownloadEnd::Complete:
  case EDownloadEnd::Empty:
    break;
  }
  return "stopped";
}

} // namespace

int RunDownload(const CLoggerOptions &o, CLoggerEnv &env) {
  CDownloadObserver observer(env);
  CLoggerSession meter(o, env.strSysfsRoot, env.wallClock);
  meter.Session().AddObserver(observer);
  meter.Begin();
  const std::optional<SteadyClock::time_point> end = EndOf(o, SteadyClock::now());
  bool bAsked = false;
  bool bStopped = false;
  bool bNoEndMarker = false;
  for (;;) {
    meter.Advance();
    // Only a meter that is heard is asked: its live frames come first.
    if (!bAsked && meter.Session().MeterHeard())
      bAsked = meter.Session().Download() == CMeterSession::EDownloadStart::Started;
    auto now = SteadyClock::now();
    if (observer.WholeWithoutEndMarker(now)) {
      bNoEndMarker = true;
      meter.Session().CancelDownload(); // decodes what arrived: all of it
    }
    if (observer.m_bDone)
      break;
    if (end && now >= *end)
      break;
    auto wake = WakeTime(meter, now + std::chrono::seconds(1), end);
    if (auto due = observer.EndMarkerDeadline(); due && *due < wake)
      wake = *due;
    if (meter.Wait(env.nStopFd, wake)) {
      bStopped = true;
      break;
    }
  }
  meter.Session().RemoveObserver(observer);
  if (!observer.m_bDone) {
    if (!observer.m_bFound && !bStopped) {
      observer.Say("no meter found within " + DurationText(*o.dDurationSec));
      return kExitNoMeter;
    }
    observer.Say("download stopped before it ended; nothing was written");
    return bStopped ? kExitDone : kExitNoMeter;
  }
  CRecordingFilesResult files = WriteRecordingFiles(meter.Downloaded(), o.strDownloadDir);
  for (const std::string &p : files.written)
    observer.Say("wrote " + p);
  for (const std::string &p : files.kept)
    observer.Say("already there: " + p);
  if (!files.result.Ok()) {
    observer.Say("cannot write " + files.result.strPath + ": " + files.result.strReason);
    return kExitOutput;
  }
  if (meter.Downloaded().IsEmpty() && !observer.m_bFailed)
    observer.Say("the meter holds no recordings");
  if (bNoEndMarker) {
    observer.Say("the meter sent all " + std::to_string(observer.Announced()) +
                 " bytes it announced but no end marker; the recordings above are whole");
    return kExitDone;
  }
  if (observer.m_bFailed) {
    observer.Say(
        "the download was cut short (" + WhyCutShort(observer.m_eEnd) + "); " +
        (meter.Downloaded().IsEmpty() ? "nothing was written" : "the recordings above are what arrived"));
    return 1;
  }
  return kExitDone;
}
