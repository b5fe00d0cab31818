#pragma once

#include <array>
#include <string>

// The ten sampling intervals of a monitoring run, in seconds, in the order
// every rate box lists them, and their texts as the main window's and the
// data logger window's boxes show them.
inline constexpr std::array<double, 10> kSampleRates = {0.1, 0.2, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 5.0, 10.0};
inline constexpr std::array<const char *, 10> kSampleRateTexts = {"0.1", "0.2", "0.5", "1", "1.5",
                                                                  "2",   "2.5", "3",   "5", "10"};
inline constexpr int kDefaultRateIndex = 2; // 0.5 s

// Rate `nIndex` with one decimal, as the setup dialog lists them ("1.0").
std::string RateTextOneDecimal(std::size_t nIndex);
// Position of the rate whose one-decimal text is that of `dSampleRate`, or
// -1 when none is ("4.0" is not a rate).
int RateIndex(double dSampleRate);
