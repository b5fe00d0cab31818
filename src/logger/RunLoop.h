#pragma once

#include "logger/LoggerOptions.h"
#include "logger/LoggerSession.h"

#include <chrono>
#include <optional>
#include <string>

// The timing shared by the logger's two loops, recording and --download.
using SteadyClock = std::chrono::steady_clock;

// When --duration ends a run that starts at `start`.
std::optional<SteadyClock::time_point> EndOf(const CLoggerOptions &o, SteadyClock::time_point start);
// The earliest of the session's deadline, `next` and the end of the run.
SteadyClock::time_point WakeTime(const CLoggerSession &meter, SteadyClock::time_point next,
                                 const std::optional<SteadyClock::time_point> &end);
// "1.5 s"
std::string DurationText(double dSec);
