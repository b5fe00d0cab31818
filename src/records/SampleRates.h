#pragma once

#include <array>

// The ten sampling intervals of a monitoring run, in seconds, in the order
// the rate boxes list them, and their texts as the main window's box shows them.
inline constexpr std::array<double, 10> kSampleRates = {0.1, 0.2, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 5.0, 10.0};
inline constexpr std::array<const char *, 10> kSampleRateTexts = {"0.1", "0.2", "0.5", "1",  "1.5",
                                                                  "2",   "2.5", "3",   "5", "10"};
inline constexpr int kDefaultRateIndex = 2; // 0.5 s
