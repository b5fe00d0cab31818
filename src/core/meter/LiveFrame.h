#pragma once

#include "meter/MeterReading.h"

#include <cstddef>
#include <string_view>

constexpr std::size_t kLiveFrameChars = 40; // 20 bytes as hex text
constexpr std::string_view kLiveFrameStart = "a50d";
constexpr unsigned char kHoldSignalByte = 0xFF;

// Whether the frame's level bytes are four decimal digits; anything else is
// line noise, not a reading.
bool HasDecimalLevel(std::string_view frame);

// Decodes one live frame's hex text into the meter state: level, weighting,
// time of day (with strDatePrefix, "dd-mm-yyyy,", from the computer's
// clock) and the indicator tags. A frame shorter than 40 characters is
// decoded as far as it goes.
void DecodeLiveFrame(std::string_view frame, CMeterReading &st, std::string_view strDatePrefix);
