#pragma once

#include "files/FileResult.h"
#include "monitor/SampleStore.h"

#include <string>
#include <vector>

// "2026-12-07_09-05-00.txt" from a downloaded sample's time text
// ("07-12-2026,9:05:00"); empty when the text is not a date and time.
std::string RecordingFileName(const std::string &strTime);

// Writes one text data file per recording (run of equal group numbers) of
// `store` into `strDir`, named from each recording's start time. A file
// of that name holding the same bytes is left as it is (a second download
// of the same memory); one holding other bytes gets a numbered name.
// Returns the files written or kept; the first failure ends it.
struct CRecordingFilesResult {
  CFileResult result;
  std::vector<std::string> written;
  std::vector<std::string> kept;
};
CRecordingFilesResult WriteRecordingFiles(const CSampleStore &store, const std::string &strDir);
