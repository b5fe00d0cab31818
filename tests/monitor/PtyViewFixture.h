#pragma once

#include "app/AppOptions.h"
#include "app/MainFrame.h"
#include "app/TarvikApp.h"
#include "kit/CommandRouter.h"
#include "monitor/MyVomoView.h"
#include "records/SampleStore.h"
#include "session/ComPortLink.h"
#include "sim/PtyMaster.h"
#include "sim/PtyMeter.h"
#include "support/FakeSessionClock.h"
#include "support/ScriptedPrompts.h"

#include <QPrinter>
#include <QTest>
#include <gtest/gtest.h>

#include <dirent.h>
#include <filesystem>
#include <memory>
#include <string>
#include <time.h>
#include <unistd.h>

// Counts of what the process holds: open descriptors, threads, resident pages.
inline int CountEntries(const char *dir) {
  int n = 0;
  if (DIR *d = ::opendir(dir)) {
    while (dirent *e = ::readdir(d))
      if (e->d_name[0] != '.')
        ++n;
    ::closedir(d);
  }
  return n;
}
inline int OpenDescriptors() {
  return CountEntries("/proc/self/fd") - 1;
} // less the one reading it
inline int Threads() {
  return CountEntries("/proc/self/task");
}
// Under AddressSanitizer freed memory sits in its quarantine, so the
// resident size says nothing; LeakSanitizer checks leaks in that build.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentSizeIsMeaningful = false;
#else
constexpr bool kResidentSizeIsMeaningful = true;
#endif

inline long ResidentKb() {
  long nSize = 0, nResident = 0;
  if (FILE *f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld %ld", &nSize, &nResident) != 2)
      nResident = 0;
    std::fclose(f);
  }
  return nResident * (::sysconf(_SC_PAGESIZE) / 1024);
}
// Whether any descriptor of the process is open on `path`.
inline bool HoldsDescriptorOn(const std::string &path) {
  std::error_code ec;
  for (const auto &e : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
    std::error_code ec2;
    const std::string target = std::filesystem::read_symlink(e.path(), ec2).string();
    if (target == path || target == path + " (deleted)")
      return true;
  }
  return false;
}
inline double ProcessCpuMs() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The program on the production link, with a meter on a pseudo-terminal
// that discovery lists as the bridge (no system ports: an empty sysfs),
// scripted prompts and a calendar the test moves.
class PtyViewFixture : public ::testing::Test {
protected:
  using S = CMeterSession;

  PtyViewFixture() : m_pApp(MakeApp()), m_stores(m_pApp->Stores()), m_pView(&m_pApp->View()) {
    m_pView->OnInitialUpdate();
  }
  ~PtyViewFixture() override { m_pApp.reset(); } // the port closes before the meter goes

  CMeterSession &Session() { return m_pApp->Session(); }
  CMeterReading &Reading() { return Session().Reading(); }
  CCommandRouter &Commands() { return m_pApp->Frame().Commands(); }
  // Fires timer nId now, with whatever falls due before it.
  void Fire(int nId) {
    if (std::optional<std::chrono::milliseconds> due = Session().Timers().Due(nId))
      Session().Advance(std::max(*due, m_clock.Now()));
  }
  bool Active(int nId) { return Session().Timers().IsActive(nId); }
  int IntervalMs(int nId) {
    auto p = Session().Timers().Period(nId);
    return p ? static_cast<int>(p->count()) : -1;
  }
  void Chunk(const QByteArray &bytes) {
    Session().OnChunk(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                      static_cast<std::size_t>(bytes.size()));
  }
  // Discovery lists `port` alone, as after the meter was plugged in.
  void ListPort(const CPortInfo &port) {
    m_pLink->Discovery().ClearExtraPorts();
    m_pLink->Discovery().AddExtraPort(port);
  }
  // Discovery lists the test's own line (m_line), opened now, as the bridge.
  bool ListTestLine() {
    if (!m_line.Open())
      return false;
    CPortInfo port;
    port.m_strDescription = kBridgeDescription;
    port.m_strDevice = m_line.SlavePath();
    port.m_strName = port.m_strDevice.substr(5);
    port.m_nNumber = m_line.SlaveNumber();
    ListPort(port);
    return true;
  }
  // The first discovery and the delayed open, then the first decoded frame.
  bool DiscoverAndHear() {
    Fire(S::TIMER_DISCOVER);
    if (!Active(S::TIMER_OPEN_PORT))
      return false;
    Fire(S::TIMER_OPEN_PORT);
    return QTest::qWaitFor([&] { return Session().Timing().m_nFramesDecoded > 0; }, 3000);
  }
  // Two whole seconds without a byte, then the silence check.
  void SilenceCheckAfterQuiet() {
    m_clock.m_wall += 3;
    Fire(S::TIMER_SILENCE);
  }

  CTestWallClock m_clock;
  // The meters go after the program, whose port is open on them.
  CPtyMeter m_meter;
  CPtyMeter m_meterBack; // the same meter plugged in again
  CPtyMaster m_line;     // a meter whose every byte the test writes
  CScriptedPrompts m_prompts;
  CComPortLink *m_pLink = nullptr;
  std::unique_ptr<CTarvikApp> m_pApp;
  CDataStores &m_stores;
  CMyVomoView *m_pView;

private:
  std::unique_ptr<CTarvikApp> MakeApp() {
    auto link = std::make_unique<CComPortLink>("/nonexistent-sysfs");
    m_pLink = link.get();
    m_pLink->Port().SetPortTemplate("/dev/pts/%d");
    return std::make_unique<CTarvikApp>(AppOptions{}, m_prompts, std::move(link), m_clock);
  }
};
