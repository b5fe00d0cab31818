#pragma once

#include <ctime>
#include <functional>
#include <string>

// "%d-%d-%d %d-%d" from year, month, day, hour and minute, none padded,
// followed by `ext` (".txt" or ".xls").
std::string DefaultFileName(const std::tm &local, const char *ext);

// The local time when a command starts; injected so tests fix the date.
using LocalClock = std::function<std::tm()>;
std::tm LocalTimeNow();
