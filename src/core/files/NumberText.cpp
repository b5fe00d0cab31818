#include "files/NumberText.h"

#include <charconv>
#include <cmath>

void AppendFixed(std::string &out, double value, int nPrecision, int nWidth) {
  char buf[400]; // the longest fixed text of a double with 2 decimals is ~312 chars
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, nPrecision);
  std::size_t len = res.ec == std::errc() ? static_cast<std::size_t>(res.ptr - buf) : 0;
  if (len < static_cast<std::size_t>(nWidth))
    out.append(static_cast<std::size_t>(nWidth) - len, ' ');
  out.append(buf, len);
}

void AppendInt(std::string &out, long long value) {
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, static_cast<std::size_t>(res.ptr - buf));
}

double LenientNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
    ++i;
  bool bNegative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    bNegative = text[i] == '-';
    ++i;
  }
  // from_chars would also take "inf", "nan" and a second sign: only a digit,
  // or a "." before a digit, may start the number.
  auto isDigit = [&](std::size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
  if (!isDigit(i) && !(i < text.size() && text[i] == '.' && isDigit(i + 1)))
    return 0;
  double value = 0;
  auto res = std::from_chars(text.data() + i, text.data() + text.size(), value, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    // As strtod: too large becomes infinity, too small becomes zero.
    std::string_view rest = text.substr(i);
    std::size_t e = rest.find_first_of("eE");
    bool bTiny = e != std::string_view::npos && e + 1 < rest.size() && rest[e + 1] == '-';
    value = bTiny ? 0.0 : HUGE_VAL;
  } else if (res.ec != std::errc()) {
    return 0;
  }
  return bNegative ? -value : value;
}

std::optional<double> WholeNumber(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && blank(text.back()))
    text.remove_suffix(1);
  std::size_t i = text.empty() || (text[0] != '+' && text[0] != '-') ? 0 : 1;
  auto isDigit = [&](std::size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
  if (!isDigit(i) && !(i < text.size() && text[i] == '.' && isDigit(i + 1)))
    return std::nullopt;
  double value = 0;
  auto res = std::from_chars(text.data() + i, text.data() + text.size(), value, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return text[0] == '-' ? -value : value;
}
