#include "files/UsualTextLine.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// One word of the time text's layout: what each byte is xored with, and
// what raises a byte over 127 exactly when it passes its limit (9 for a
// digit, 0 for a separator).
struct CShapeWord {
  std::uint64_t pattern, raise;
};
constexpr CShapeWord ShapeWord(const char (&text)[9]) {
  std::array<char, 8> pattern{}, raise{};
  for (int i = 0; i < 8; ++i) {
    pattern[i] = text[i] == 'd' ? '0' : text[i];
    raise[i] = static_cast<char>(text[i] == 'd' ? 127 - 9 : 127);
  }
  return {std::bit_cast<std::uint64_t>(pattern), std::bit_cast<std::uint64_t>(raise)};
}
constexpr CShapeWord kShape[3] = {ShapeWord("dd-dd-dd"), ShapeWord("dd,dd:dd"), ShapeWord("d:dd:dd,")};
constexpr std::uint64_t kHighBits = 0x8080808080808080;

// The powers of ten a double holds exactly.
constexpr double kPow10[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Blanks, then digits with an optional "." and more digits, then a comma:
// the number, or nothing. Digits and scale both
// exact in a double make their quotient the one correctly rounded value,
// the same that from_chars reads.
std::optional<double> PlainDecimalToComma(const char *p, const char *end) {
  while (p < end && *p == ' ')
    ++p;
  std::uint64_t m = 0;
  const char *digits = p;
  for (; p < end && IsDigit(*p); ++p)
    m = m * 10 + static_cast<std::uint64_t>(*p - '0');
  const std::ptrdiff_t nWhole = p - digits;
  std::ptrdiff_t nFraction = 0;
  if (nWhole > 0 && p < end && *p == '.') {
    const char *fraction = ++p;
    for (; p < end && IsDigit(*p); ++p)
      m = m * 10 + static_cast<std::uint64_t>(*p - '0');
    nFraction = p - fraction;
    if (nFraction == 0)
      return std::nullopt;
  }
  if (nWhole == 0 || nWhole + nFraction > 15 || p == end || *p != ',')
    return std::nullopt;
  return static_cast<double>(m) / kPow10[nFraction];
}
} // namespace

std::optional<CUsualTextLine> ReadUsualTextLine(std::string_view line) {
  constexpr std::size_t kTime = 19; // "dd-mm-yyyy,hh:mm:ss" and its comma
  if (line.size() <= kTime + 1)
    return std::nullopt;
  // Eight bytes at a time: a digit xor '0' is 0 to 9, a separator xor
  // itself is 0; the words overlap to cover the 20 bytes.
  static constexpr std::size_t kAt[3] = {0, 8, 12};
  std::uint64_t bad = 0;
  for (int w = 0; w < 3; ++w) {
    std::uint64_t x;
    std::memcpy(&x, line.data() + kAt[w], sizeof x);
    x ^= kShape[w].pattern;
    // a byte at or under its limit keeps bit 7 clear, alone and raised by 127 - limit
    bad |= ((x + kShape[w].raise) | x) & kHighBits;
  }
  if (bad)
    return std::nullopt;
  const auto digit = [&](std::size_t i) {
    return static_cast<int>(static_cast<unsigned char>(line[i] - '0'));
  };
  const int nHour = digit(11) * 10 + digit(12), nMinute = digit(14) * 10 + digit(15),
            nSecond = digit(17) * 10 + digit(18);
  if (nHour > 23 || nMinute > 59 || nSecond > 59)
    return std::nullopt;
  const std::optional<double> level = PlainDecimalToComma(line.data() + kTime + 1, line.data() + line.size());
  if (!level)
    return std::nullopt;
  return CUsualTextLine{line.substr(0, 10), line.substr(0, kTime), nHour * 3600 + nMinute * 60 + nSecond,
                        *level, TextLineUnit(line)};
}
