#pragma once

#include "protocol/MeterState.h"

#include <string>

// One line of text showing what the meter's display shows, for the console
// readout and logs: "65.2 dBA FAST MAX AUTO 07-12-2026,14:15:30".
std::string FormatReadoutLine(const CMeterState &st);
// "1", "2", "3" or "AUTO".
std::string RangeText(int nRange);
