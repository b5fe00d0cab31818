#pragma once

#include "files/ByteSink.h"
#include "files/FileResult.h"
#include "records/SampleArray.h"
#include "records/SampleStore.h"

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

// Writes the header from the first sample's rate and one line per sample.
// An empty array writes nothing. False when the sink failed or progress
// cancelled (`pbCancelled` tells which).
bool WriteTextData(CByteSink &sink, const CSampleArray &samples, const ProgressFn &progress = {},
                   bool *pbCancelled = nullptr);
// Replaces the file at `strPath` only once every byte is written.
CFileResult WriteTextDataFile(const std::string &strPath, const CSampleArray &samples,
                              const ProgressFn &progress = {});

struct CTextDataContent {
  CFileResult result; // Ok or WrongFormat (or Cancelled)
  double dSampleRate = 0;
  std::vector<std::unique_ptr<CObjData>> samples;
};

// Parses the bytes of a data file. Sample lines are taken as they come,
// split by commas; a blank line ends the samples.
CTextDataContent ParseTextData(std::string_view bytes, const ProgressFn &progress = {});
// Replaces the samples of `store` with the parsed ones.
void MoveIntoStore(CTextDataContent &content, CSampleStore &store);
// Reads a file into `store`, which is replaced only when the whole file was
// read and its header was right; otherwise the store keeps its samples.
CFileResult ReadTextDataFile(const std::string &strPath, CSampleStore &store,
                             const ProgressFn &progress = {});

// Reads a whole file. Failure carries the reason.
CFileResult ReadWholeFile(const std::string &strPath, std::string &out);
