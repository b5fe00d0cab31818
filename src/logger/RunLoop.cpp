#include "logger/RunLoop.h"

#include <charconv>

std::optional<SteadyClock::time_point> EndOf(const CLoggerOptions &o, SteadyClock::time_point start) {
  if (!o.dDurationSec)
    return std::nullopt;
  return start +
         std::chrono::duration_cast<SteadyClock::duration>(std::chrono::duration<double>(*o.dDurationSec));
}

SteadyClock::time_point WakeTime(const CLoggerSession &meter, SteadyClock::time_point next,
                                 const std::optional<SteadyClock::time_point> &end) {
  if (auto due = meter.NextDeadline(); due && *due < next)
    next = *due;
  if (end && *end < next)
    next = *end;
  return next;
}

std::string DurationText(double dSec) {
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, dSec);
  return std::string(buf, res.ptr) + " s";
}
