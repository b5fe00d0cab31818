#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

// The run journal on disk: an 8-byte magic, then frames. A frame is a
// little-endian 32-bit payload length, the payload, and a CRC-32 over
// length and payload, so a record damaged by a crash, a power cut or a bad
// disk block is recognised and the intact frames behind it are found again.
// The first frame describes the run; every further frame is one sample,
// numbered from 0, or the reason the run ended.
namespace journal {

inline constexpr std::string_view kMagic{"TRVKJNL1", 8};
inline constexpr std::size_t kFrameOverhead = 8; // length word and CRC
inline constexpr std::size_t kMaxPayload = 512;
inline constexpr std::size_t kMaxText = 64; // unit and time texts
// A run keeps at most 40000 samples of at most 151 bytes (6 MB): a larger
// journal is none of ours and is not read, so a crafted one cannot fill
// the memory with samples.
inline constexpr std::size_t kMaxJournalBytes = 16u << 20;

std::uint32_t Crc32(const void *pData, std::size_t n, std::uint32_t nCrc = 0);

struct RunHeader {
  double dRate = 0;        // seconds between samples
  std::int64_t tStart = 0; // when the run (or its restart after a clear) began
  std::string strUnit;     // weighting when the run began, "dBA" or "dBC"
  std::int64_t nPid = 0;   // the writing process, for file systems without locks
};

struct JournalSample {
  bool bAfterGap = false; // the run missed samples just before this one
  double dLevel = 0;
  std::string strTime;
  std::string strUnit;
};

// The magic and the header frame: the first bytes of a journal.
void AppendHeader(std::string &out, const RunHeader &header);
// One sample frame; texts longer than kMaxText are cut.
void AppendSample(std::string &out, std::uint32_t nSeq, double dLevel, std::string_view time,
                  std::string_view unit);

// The record of samples the run missed (its thread was held up, as by a
// frozen window) before the next sample: a gap in the data, not damage.
void AppendGap(std::string &out, std::uint32_t nMissed);

// The record of why the run ended (the status text the user was shown;
// empty when the user stopped it). Journals written before it existed
// simply have none.
void AppendRunEnd(std::string &out, std::string_view reason);

struct JournalContent {
  bool bHeader = false; // false: not a journal, or its header is damaged
  RunHeader header;
  std::vector<JournalSample> samples; // every intact sample, in order
  std::size_t nLost = 0;              // samples whose records are missing or damaged
  std::size_t nMissed = 0;            // samples the run itself missed (gap records)
  bool bClean = false;                // every byte is an intact frame in sequence
  bool bEnded = false;                // the run's end was recorded
  std::string strEndReason;
  bool Damaged() const { return nLost > 0; }
};

// Reads a journal's bytes in time linear in their length. Damaged bytes
// are skipped up to the next intact frame; the numbers of the samples
// around them tell how many were lost, and damage at the end is rated by
// the size of the intact records (a torn last record is one sample).
JournalContent ParseJournal(std::string_view bytes);

} // namespace journal
