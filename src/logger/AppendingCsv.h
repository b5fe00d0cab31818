#pragma once

#include "files/FileResult.h"

#include <string>
#include <string_view>

// The CSV files beside a data file (its periods and events): a line comes
// minutes apart, so each is opened, appended to, synced and closed on its
// own; a file never stays open across the day's roll-over, and a killed
// logger loses nothing it had written.

// Appends `line` (ending in CR LF) to `strPath`, writing `header` first into
// a new or empty file. A last line cut short by a crash is removed first; a
// file that begins with another header is left alone (a failure).
CFileResult AppendCsvLine(const std::string &strPath, std::string_view header, std::string_view line);

// "day-2026-12-08-periods.csv" beside "day-2026-12-08.txt": the data file's
// name without its extension, "-", `what` and ".csv".
std::string CompanionCsvPath(const std::string &strDataPath, std::string_view what);
