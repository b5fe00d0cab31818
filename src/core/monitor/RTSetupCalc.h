#pragma once

#include "lang/Translate.h"

#include <array>
#include <ctime>
#include <string>
#include <string_view>

struct Hms {
  int h = 0, m = 0, s = 0;
};
// Whole hours, minutes and seconds of a duration, each truncated.
Hms SplitDuration(double dSeconds);
std::string DurationWords(const Hms &d); // "5 hour 33 minute 20 second"
std::string DurationClock(const Hms &d); // "5:33:20"
// Local time as the dialog shows start and end: "2026-12-8,3:5:9".
std::string FormatSetupTime(std::time_t t);

// Reading an integer field back as the dialog's validation does: an optional
// sign and digits, surrounded by blanks at most, within [nMin, nMax].
struct IntFieldRead {
  bool bOk = false;
  long long nValue = 0;
  std::string strError; // the message to show when not ok
};
// The message is in the language `tr` gives.
IntFieldRead ReadIntField(std::string_view text, long long nMin, long long nMax, TrText notANumber,
                          FTranslate tr = SourceText);
inline constexpr TrText kEnterAnInteger = TARVIK_TR("MessageBox", "Enter an integer.");
inline constexpr TrText kEnterAPositiveInteger = TARVIK_TR("MessageBox", "Enter a positive integer.");
inline constexpr TrText kEnterAnIntegerBetween =
    TARVIK_TR("MessageBox", "Enter an integer between %1 and %2.");
