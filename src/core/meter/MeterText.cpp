#include "meter/MeterText.h"

namespace {
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
} // namespace

int ReadDecimalInt(std::string_view s) {
  int v = 0;
  for (char c : s) {
    if (!IsDigit(c) || v > 100000000)
      break;
    v = v * 10 + (c - '0');
  }
  return v;
}

double ReadDecimalNumber(std::string_view s) {
  // Digits are gathered as one integer and scaled once, so "65.2" reads as
  // the same double as the literal 65.2.
  double mantissa = 0.0, scale = 1.0;
  std::size_t i = 0;
  for (; i < s.size() && IsDigit(s[i]) && i < 15; ++i)
    mantissa = mantissa * 10.0 + (s[i] - '0');
  if (i < s.size() && s[i] == '.') {
    for (++i; i < s.size() && IsDigit(s[i]) && scale < 1e15; ++i) {
      mantissa = mantissa * 10.0 + (s[i] - '0');
      scale *= 10.0;
    }
  }
  return mantissa / scale;
}

int MeterHour(char chHigh, char chLow) {
  int h = IsDigit(chLow) ? chLow - '0' : 0;
  unsigned code = static_cast<unsigned char>(chHigh);
  if (code & 1u)
    h += 10;
  if (code & 2u)
    h += 12;
  return h == 24 ? 12 : h;
}

std::string_view Mid(std::string_view s, std::size_t pos, std::size_t n) {
  if (pos >= s.size())
    return {};
  return s.substr(pos, n);
}
