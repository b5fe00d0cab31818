// The serial link's timing over a pseudo-terminal: how soon a chunk reaches
// the receive callback, and what an idle open port costs.
#include "meter/ReceivePath.h"
#include "serial/ComPort.h"
#include "sim/MeterSim.h"
#include "sim/PtyMaster.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <time.h>

namespace {

using Clock = std::chrono::steady_clock;

struct CDeliveries {
  std::mutex m_mutex;
  std::condition_variable m_cv;
  int m_nChunks = 0;
  Clock::time_point m_last;

  void Add() {
    auto now = Clock::now();
    std::lock_guard lock(m_mutex);
    ++m_nChunks;
    m_last = now;
    m_cv.notify_all();
  }
  Clock::time_point WaitFor(int nChunks) {
    std::unique_lock lock(m_mutex);
    m_cv.wait_for(lock, std::chrono::seconds(2), [&] { return m_nChunks >= nChunks; });
    return m_last;
  }
};

struct CBench {
  CPtyMaster pty;
  CComPort port;
  CDeliveries got;
  bool Open() {
    if (!pty.Open())
      return false;
    port.SetReceiveCallback([this](const unsigned char *, int) { got.Add(); });
    port.SetPortTemplate("/dev/pts/%d");
    return port.Open(pty.SlaveNumber(), 2, 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE);
  }
};

// From the simulator writing a frame's 20th byte to the callback holding the chunk.
void BM_FullChunkLatency(benchmark::State &state) {
  CBench b;
  if (!b.Open()) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  unsigned char frame[20] = {0xA5, 0x0D};
  int nChunks = 0;
  for (auto _ : state) {
    b.pty.WriteAll(frame, 19);
    std::this_thread::sleep_for(std::chrono::milliseconds(2)); // the first 19 bytes are in the reader
    auto t0 = Clock::now();
    b.pty.WriteAll(frame + 19, 1);
    auto t1 = b.got.WaitFor(++nChunks);
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
  }
}
BENCHMARK(BM_FullChunkLatency)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

// The port and the receive path together: from the meter writing a frame's
// last byte to the frame's state decoded (the frame written in three pieces).
void BM_PortLastByteToDecodedState(benchmark::State &state) {
  struct CDecodeSink : IReceiveSink {
    CDeliveries m_decoded;
    void OnHoldSignal() override {}
    void OnDownloadEnded() override {}
    void OnDownloadProgress(int, int, int) override {}
    void OnReadoutRefresh() override { m_decoded.Add(); }
    void OnDownloadText(const std::string &) override {}
  } sink;
  CReceivePath path(sink);
  CPtyMaster pty;
  CComPort port;
  if (!pty.Open()) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  // Only the reader thread touches the path while the bench waits.
  port.SetReceiveCallback(
      [&path](const unsigned char *p, int n) { path.OnChunk(p, static_cast<std::size_t>(n)); });
  port.SetPortTemplate("/dev/pts/%d");
  if (!port.Open(pty.SlaveNumber(), 2, 9600, PARITY_NONE, 8, STOPBITS_ONE, FLOW_NONE)) {
    state.SkipWithError("cannot open the port");
    return;
  }
  CMeterSim sim;
  int nFrames = 0;
  for (auto _ : state) {
    const std::vector<uint8_t> frame = sim.NextFrame();
    pty.WriteAll(frame.data(), 7);
    pty.WriteAll(frame.data() + 7, 12);
    std::this_thread::sleep_for(std::chrono::milliseconds(2)); // the first 19 bytes are in the reader
    const auto t0 = Clock::now();
    pty.WriteAll(frame.data() + 19, 1);
    const auto t1 = sink.m_decoded.WaitFor(++nFrames);
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
  }
  port.Close();
}
BENCHMARK(BM_PortLastByteToDecodedState)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

// A partial chunk waits out the 100 ms inter-byte time after its last byte.
void BM_PartialChunkLatency(benchmark::State &state) {
  CBench b;
  if (!b.Open()) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  unsigned char bytes[5] = {0xA5, 0x03, 0, 0, 0};
  int nChunks = 0;
  for (auto _ : state) {
    b.pty.WriteAll(bytes, sizeof bytes);
    auto t0 = Clock::now();
    auto t1 = b.got.WaitFor(++nChunks);
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
  }
}
BENCHMARK(BM_PartialChunkLatency)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// Processor time of an open port with no bytes, as a share of one core.
void BM_IdleOpenPortCpu(benchmark::State &state) {
  CBench b;
  if (!b.Open()) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  double dShare = 0;
  for (auto _ : state) {
    timespec c0{}, c1{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c0);
    auto t0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(2));
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c1);
    double dCpu = double(c1.tv_sec - c0.tv_sec) + double(c1.tv_nsec - c0.tv_nsec) / 1e9;
    dShare = dCpu / std::chrono::duration<double>(Clock::now() - t0).count();
  }
  state.counters["cpu_percent"] = dShare * 100.0;
}
BENCHMARK(BM_IdleOpenPortCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
