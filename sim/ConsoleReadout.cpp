#include "sim/ConsoleReadout.h"

#include "protocol/CommandSet.h"
#include "protocol/ReadoutLine.h"
#include "protocol/ReceivePath.h"

#include <array>
#include <optional>

namespace {

struct CConsoleSink : IReceiveSink {
  void OnHoldSignal() override {}
  void OnDownloadEnded() override {}
  void OnDownloadProgress(int, int, int) override {}
  void OnReadoutRefresh() override {}
  void OnDownloadText(const std::string &) override {}
};

const char *const kKeyNames[kMeterKeyCount] = {"Stop", "REC", "MaxMin", "FastSlow", "Level", "AC"};

struct CPress {
  int nAtMs;
  int nKey;
};

} // namespace

int RunConsoleReadout(CMeterSim &sim, std::ostream &out, const CConsoleOptions &opt) {
  using namespace std::chrono;
  CConsoleSink sink;
  CReceivePath path(sink, opt.m_clock);
  const CMeterState &st = path.State();

  // A level that wanders like a street, and the keys a user would try.
  sim.SetLevelSource(CLevelSource::Sequence(
      {52.3, 55.8, 61.2, 67.9, 74.4, 71.0, 66.5, 58.1, 49.7, 45.2, 83.6, 90.4, 96.8, 88.0, 62.5}));
  const std::array<CPress, 5> presses = {
      {{800, kKeyFastSlow}, {1600, kKeyMaxMin}, {2600, kKeyLevel}, {3300, kKeyAC}, {4100, kKeyMaxMin}}};
  std::size_t nextPress = 0;
  std::optional<CKeyWatch> watch;
  unsigned nPrinted = 0;

  // Frames come every 100 to 500 ms.
  const int gaps[] = {100, 250, 400, 500, 150, 300};
  int elapsed = 0;
  for (int i = 0; elapsed < opt.m_duration.count(); ++i) {
    std::time_t now = opt.m_clock();
    std::tm tm{};
    localtime_r(&now, &tm);
    sim.SetDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    sim.SetTimeOfDay(tm.tm_hour, tm.tm_min, tm.tm_sec);

    // one read per frame, as the port delivers a 20-byte burst
    std::vector<uint8_t> frame = sim.NextFrame();
    if (!frame.empty())
      path.OnChunk(frame.data(), frame.size());
    if (st.m_nFramesDecoded != nPrinted) {
      nPrinted = st.m_nFramesDecoded;
      out << FormatReadoutLine(st) << '\n';
    }
    if (watch && KeyTookEffect(*watch, st)) {
      out << "  key " << kKeyNames[watch->m_nKey] << " took effect\n";
      watch.reset();
    }
    if (nextPress < presses.size() && elapsed >= presses[nextPress].nAtMs && !watch) {
      int nKey = presses[nextPress++].nKey;
      watch = TakeKeyWatch(nKey, st);
      uint8_t code = KeyCode(nKey);
      sim.OnBytesReceived(&code, 1);
      out << "  key " << kKeyNames[nKey] << " sent (0x" << std::hex << int{code} << std::dec << ")\n";
    }
    out.flush();
    int gap = gaps[i % 6];
    if (opt.m_sleep)
      opt.m_sleep(milliseconds(gap));
    elapsed += gap;
  }
  return static_cast<int>(st.m_nFramesDecoded);
}
