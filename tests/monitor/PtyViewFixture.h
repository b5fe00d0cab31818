#pragma once

#include "monitor/ComPortLink.h"
#include "monitor/MyVomoView.h"
#include "records/SampleStore.h"
#include "sim/PtyMaster.h"
#include "sim/PtyMeter.h"
#include "support/ScriptedPrompts.h"
#include "uikit/CommandRouter.h"

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

// The view on the production link, with a meter on a pseudo-terminal that
// discovery lists as the bridge (no system ports: an empty sysfs), scripted
// prompts and a clock the test moves.
class PtyViewFixture : public ::testing::Test {
protected:
  PtyViewFixture() {
    auto link = std::make_unique<CComPortLink>("/nonexistent-sysfs");
    m_pLink = link.get();
    m_pLink->Port().SetPortTemplate("/dev/pts/%d");
    m_pView = std::make_unique<CMyVomoView>(m_stores, m_prompts, std::move(link));
    m_pView->SetClock([this] { return m_now; });
    m_pView->RegisterCommands(m_commands);
    for (int nId : {32771, 32772, 32773, 32780, 32785, 32786, 32790, 32791, 32815, 32816})
      m_commands.Add(nId, QString());
    m_pView->OnInitialUpdate();
  }
  ~PtyViewFixture() override { m_pView.reset(); } // the port closes before the meter goes

  // Discovery lists `port` alone, as after the meter was plugged in.
  void ListPort(const CPortInfo &port) {
    m_pLink->Discovery().ClearExtraPorts();
    m_pLink->Discovery().AddExtraPort(port);
  }
  // The first discovery and the delayed open, then the first decoded frame.
  bool DiscoverAndHear() {
    m_pView->OnTimer(CMyVomoView::TIMER_DISCOVER);
    if (!m_pView->Timers().IsActive(CMyVomoView::TIMER_OPEN_PORT))
      return false;
    m_pView->OnTimer(CMyVomoView::TIMER_OPEN_PORT);
    return QTest::qWaitFor([&] { return m_pView->MeterState().m_nFramesDecoded > 0; }, 3000);
  }
  // Two whole seconds without a byte, then the silence check.
  void SilenceCheckAfterQuiet() {
    m_now += 3;
    m_pView->OnTimer(CMyVomoView::TIMER_SILENCE);
  }

  std::time_t m_now = 1765000000; // 2025-12-06 05:46:40 UTC
  // The meters go after the view, whose port is open on them.
  CPtyMeter m_meter;
  CPtyMeter m_meterBack; // the same meter plugged in again
  CPtyMaster m_line;     // a meter whose every byte the test writes
  CDataStores m_stores;
  CScriptedPrompts m_prompts;
  CCommandRouter m_commands;
  CComPortLink *m_pLink = nullptr;
  std::unique_ptr<CMyVomoView> m_pView;
};
