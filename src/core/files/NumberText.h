#pragma once

#include <optional>
#include <string>
#include <string_view>

// Number texts of the data files. The decimal point is always "." whatever
// the process locale, so nothing here goes through printf or iostreams.

// Appends `value` as printf's "%<width>.<precision>f" would in the C locale.
void AppendFixed(std::string &out, double value, int nPrecision, int nWidth = 0);
// Appends `value` as "%d".
void AppendInt(std::string &out, long long value);

// Reads a number the forgiving way the data files need: blanks and tabs are
// skipped, then an optional sign, digits with an optional "." and more
// digits and an optional exponent; the first character that cannot continue
// the number ends it, and a text that starts with no number gives 0.
double LenientNumber(std::string_view text);
// The whole text, less blanks and tabs around it, as a finite number of the
// same form; nothing when any other character is in it or it is empty.
std::optional<double> WholeNumber(std::string_view text);
