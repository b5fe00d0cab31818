#pragma once

#include <string_view>

// Field readers shared by the live and the download decoders. The meter's
// fields are BCD in hex text, so a letter is a corrupt digit: reading stops
// there, and a missing character reads as nothing.

// Leading decimal integer of the text (0 when it starts with a non-digit).
int ReadDecimalInt(std::string_view s);
// Leading "digits[.digits]" of the text; no sign, exponent or hex form.
double ReadDecimalNumber(std::string_view s);
// The meter's hour byte from its two characters: the low digit is the units
// (a letter counts 0), bit 0 of the high character's code adds 10, bit 1
// adds 12, and 24 becomes 12.
int MeterHour(char chHigh, char chLow);
// Characters [pos, pos + n) of s, clipped to its end.
std::string_view Mid(std::string_view s, std::size_t pos, std::size_t n);
