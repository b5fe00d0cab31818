#pragma once

#include "logger/RunLogger.h"

// tarvik-logger --download: asks the heard meter for its memory, writes
// one file per recording, and ends once every announced byte is in (end
// marker or not), when its bytes stop, at the watchdog, or on a signal.
// The exit code: 0, 1 cut short, 3 no meter, 4 files not writable.
int RunDownload(const CLoggerOptions &o, CLoggerEnv &env);
