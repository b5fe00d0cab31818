#pragma once

#include "assess/AssessResult.h"
#include "assess/IsoLocalTime.h"

#include <span>
#include <string>
#include <string_view>

// The periods and events as CSV (RFC 4180: CR LF line ends, a "." decimal
// point, one decimal for levels and coverage, ISO 8601 local times).
inline constexpr std::string_view kPeriodsCsvHeader =
    "start,end,samples,coverage_percent,leq,lmax,lmin,l10,l50,l90";
inline constexpr std::string_view kEventsCsvHeader = "start,end,duration_s,lmax,leq,sel";

// One line each, with its CR LF.
void AppendPeriodCsvLine(std::string &out, const PeriodFigures &p, CIsoLocalTime &iso);
void AppendEventCsvLine(std::string &out, const NoiseEvent &e, CIsoLocalTime &iso);
// The header and every line.
std::string PeriodsCsv(std::span<const PeriodFigures> periods);
std::string EventsCsv(std::span<const NoiseEvent> events);
