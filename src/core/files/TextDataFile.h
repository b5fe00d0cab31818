#pragma once

#include "files/ByteSink.h"
#include "files/FileResult.h"
#include "records/SampleArray.h"
#include "records/SampleStore.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The meter's text data file: a header line with the sample rate, then one
// "time, level, unit" line per sample, every line ending in CR LF.
inline constexpr std::string_view DATA_FILE_HEADER = "TX980 Sound Level Meter SamplingRate";

// "TX980 Sound Level Meter SamplingRate:%2.1f;" without the line end.
std::string TextDataHeader(double dSampleRate);
// "%s, %5.2f, %s" without the line end.
void AppendTextDataLine(std::string &out, const CObjData &rec);
void AppendTextDataLine(std::string &out, const CSampleArray &samples, std::size_t i);

// Writes the header from the first sample's rate and one line per sample.
// An empty array writes nothing. False when the sink failed or progress
// cancelled (`pbCancelled` tells which).
bool WriteTextData(CByteSink &sink, const CSampleArray &samples, const ProgressFn &progress = {},
                   bool *pbCancelled = nullptr);
// Replaces the file at `strPath` only once every byte is written.
CFileResult WriteTextDataFile(const std::string &strPath, const CSampleArray &samples,
                              const ProgressFn &progress = {});

// Why a line was not read as a sample.
enum class BadLine : std::uint8_t {
  NoLevel,    // no number from 0 to 200 dB in the level field
  NoSuchTime, // a date or time that does not exist (month 13, 30 February, 25:61:99)
  TooLong,    // longer than kMaxLineBytes
};
inline constexpr std::size_t kBadLineKinds = 3;

struct CTextDataContent {
  CFileResult result; // Ok or WrongFormat (or Cancelled)
  double dSampleRate = 0;
  CSampleStore samples;
  std::size_t nSkippedLines = 0;
  std::vector<std::size_t> firstSkippedLines;         // line numbers (the header is 1), the first few
  std::array<std::size_t, kBadLineKinds> skippedBy{}; // nSkippedLines by BadLine
};

// A sample line's level must lie in this range (dB); anything else is no
// measurement.
inline constexpr double kMinFileLevel = 0.0;
inline constexpr double kMaxFileLevel = 200.0;
inline constexpr std::size_t kSkippedLinesNamed = 5;
// A sample line is some 31 bytes; a longer line than this is no sample, and
// reading one costs no more memory than this.
inline constexpr std::size_t kMaxLineBytes = 4096;

// Parses the bytes of a data file. Lines end with LF, CR LF or CR. Sample
// lines are split by commas; a line whose level field is not a number from 0
// to 200 dB (a stray text, a line cut off, the end of a truncated file),
// whose time names a moment that does not exist, or that is longer than
// kMaxLineBytes is skipped and counted, never read as a sample. A blank line
// ends the samples.
CTextDataContent ParseTextData(std::string_view bytes, const ProgressFn &progress = {});
// What the user is told after a read that skipped lines: how many and the
// first few line numbers. Empty when none was skipped.
std::string SkippedLinesMessage(const CTextDataContent &content);
// Replaces the samples of `store` with the parsed ones.
void MoveIntoStore(CTextDataContent &content, CSampleStore &store);
// Reads a file piece by piece into a store of its own (the whole file is
// never in memory). Safe on any thread: it touches nothing else.
CTextDataContent ReadTextDataContent(const std::string &strPath, const ProgressFn &progress = {});
// Reads a file into `store`, which is replaced only when the whole file was
// read and its header was right; otherwise the store keeps its samples.
CFileResult ReadTextDataFile(const std::string &strPath, CSampleStore &store,
                             const ProgressFn &progress = {});

// Reads a whole file. Failure carries the reason.
CFileResult ReadWholeFile(const std::string &strPath, std::string &out);
