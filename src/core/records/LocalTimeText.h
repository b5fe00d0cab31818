#pragma once

#include "records/CivilTime.h"

#include <ctime>
#include <string>

// Every text the program writes from the computer's local clock goes through
// these, so a date looks the same in a table row, a file name and a log line.

// The clock face of a std::tm from localtime_r.
CivilFields CivilFromTm(const std::tm &local);
// The local clock face at `t`: one localtime_r, so callers on a hot path
// convert once and step arithmetically.
CivilFields LocalCivilFields(std::time_t t);

// "%d-%d-%d %d-%d" from year, month, day, hour and minute, none padded: the
// stem of the name offered when a file is saved.
std::string FileNameStamp(const CivilFields &f);
// "2026-12-08T09:15:03.250+01:00": the time with milliseconds and the
// zone's offset east of UTC.
void AppendIso8601(std::string &out, const CivilFields &f, int nMillis, long nUtcOffsetSeconds);
