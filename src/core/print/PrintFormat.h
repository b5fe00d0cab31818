#pragma once

#include "print/PageImage.h"

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

// Number and time texts of the printed pages. Independent of the C locale:
// a comma locale must not turn 62.30 into 62,30 on paper.
std::string FormatFixed(double value, int decimals);

// Characters, not bytes, of a UTF-8 text: the page layouts count letters.
std::size_t Utf8Length(std::string_view s);

// "Time: %d-%d-%d  %d:%d:%d" (year first, nothing padded).
std::string FormatFooterTime(const PrintTime &t);
// "Page -%d-".
std::string FormatPageNumber(int page);

// Local calendar time of a clock reading.
PrintTime ToPrintTime(std::time_t t);
