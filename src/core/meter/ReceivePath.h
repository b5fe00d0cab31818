#pragma once

#include "meter/DownloadProgress.h"
#include "meter/LineTiming.h"
#include "meter/MeterReading.h"
#include "meter/ReceiveSink.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <deque>
#include <functional>
#include <string>

// Without a frame start (live) or a download header, the buffer is cut
// back to its last few characters once it passes this length, so noise
// from a wrong device cannot grow it without bound. The kept characters
// may be the first half of a start that the next chunk completes.
constexpr std::size_t kMaxUnframedChars = 4096;
constexpr std::size_t kKeptOnCut = 3;

// The receive path: every chunk read from the meter's port goes through
// OnChunk, on the UI thread. It alone writes the reading, the line timing
// and the download progress: it assembles live frames and decodes them,
// frames downloads, and tells the session through the sink.
class CReceivePath {
public:
  using Clock = std::function<std::time_t()>;

  // The clock gives the time of each chunk and the date of live readings.
  explicit CReceivePath(
      IReceiveSink &sink, Clock clock = [] { return std::time(nullptr); });

  // `tArrived` is when the chunk came off the line (steady clock), `tWall`
  // the same on the calendar: they date the frames it starts, which the
  // remote keys, sampling and the silence check go by.
  void OnChunk(const uint8_t *p, std::size_t n, SteadyTime tArrived, std::time_t tWall);
  void OnChunk(const uint8_t *p, std::size_t n, SteadyTime tArrived) { OnChunk(p, n, tArrived, m_clock()); }
  void OnChunk(const uint8_t *p, std::size_t n) { OnChunk(p, n, std::chrono::steady_clock::now()); }

  // Enters download mode: arriving bytes are a download until it ends; what
  // is left of the live stream is no part of it.
  void BeginDownload(SteadyTime tNow = std::chrono::steady_clock::now());
  // A download that has had no byte of its own for this long while the
  // meter is still heard (its display stream came back) will not go on.
  static constexpr std::chrono::seconds kDownloadStallLimit{10};
  bool DownloadStalled(SteadyTime tNow) const;
  // Ends a download whose end marker never came (the line fell silent, the
  // watchdog fired, the port went away): the recordings and whole levels
  // received so far go to the sink as a download text with an end marker
  // of its own, so what was decoded is kept. A cut-off header or level is
  // dropped. False when no download was under way past its header.
  bool AbandonDownload();

  // Leaves download mode (the download ended, however it ended).
  void EndDownload() { m_download.m_bDownloading = false; }
  // The meter fell silent: its readout is no longer live.
  void NoteSilence() { m_reading.m_bDataReceived = false; }
  // A session begins: nothing heard, no download, the readout at rest.
  void ForgetMeter();

  const CMeterReading &Reading() const { return m_reading; }
  CMeterReading &Reading() { return m_reading; } // tests set readings through it
  const CLineTiming &Timing() const { return m_timing; }
  CLineTiming &Timing() { return m_timing; } // tests date readings through it
  const CDownloadProgress &Progress() const { return m_download; }
  // Hex text received and not yet consumed.
  const std::string &Buffer() const { return m_strRecv; }

private:
  // Where each chunk's text ends in the live stream, and when it came.
  struct CChunkMark {
    std::size_t nEnd;
    SteadyTime tArrived;
  };

  void HoldSignal();
  void LiveAssembly(SteadyTime tArrived);
  // Decodes the first whole frame of the buffer; false when none is there yet.
  bool TakeLiveFrame(SteadyTime tNow);
  void EraseLiveFront(std::size_t nChars);
  void DownloadChunk(const uint8_t *p, std::size_t n, SteadyTime tArrived);
  void DownloadAssembly();
  void HandDownload();
  const std::string &DatePrefix();

  IReceiveSink &m_sink;
  Clock m_clock;
  CMeterReading m_reading;
  CLineTiming m_timing;
  CDownloadProgress m_download;
  std::string m_strRecv;          // hex text received and not yet consumed
  std::string m_strChunk;         // hex text of the current chunk
  std::deque<CChunkMark> m_marks; // ends counted from m_nLiveBase's origin
  std::size_t m_nLiveBase = 0;    // characters taken off the buffer's front so far
  std::time_t m_tDate = -1;
  std::string m_strDatePrefix;
  bool m_bAwaitingEnd = false; // the header came, the end marker not yet
  SteadyTime m_tLastDownloadByte{};
  bool m_bDownloadBegun = false;  // BeginDownload has dated the download
  bool m_bLiveInDownload = false; // live frames came after the header: the rest is not the download
  bool m_bPrevEndedA5 = false;    // the last chunk ended with the first byte of a frame start
};
