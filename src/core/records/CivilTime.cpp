#include "records/CivilTime.h"

#include <algorithm>

namespace {

constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days from 01-01-1970 of the proleptic Gregorian calendar; m is 1..12.
constexpr std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = FloorDiv(y, 400);
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t &y, int &m, int &d) {
  z += 719468;
  const std::int64_t era = FloorDiv(z, 146097);
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = yoe + era * 400 + (m <= 2);
}

bool IsLeap(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// s.find(c, from) for the few bytes of a time text, without a library call.
std::size_t FindIn(std::string_view s, char c, std::size_t from) {
  for (std::size_t i = from; i < s.size(); ++i)
    if (s[i] == c)
      return i;
  return std::string_view::npos;
}

// Digits [at, at + n) of s as a number; false past the end or on a non-digit.
bool Digits(std::string_view s, std::size_t at, std::size_t n, int &v) {
  if (n == 0 || at + n > s.size())
    return false;
  v = 0;
  for (std::size_t i = at; i < at + n; ++i) {
    if (s[i] < '0' || s[i] > '9')
      return false;
    v = v * 10 + (s[i] - '0');
  }
  return true;
}

} // namespace

CivilSeconds ToCivilSeconds(const CivilFields &f) {
  const std::int64_t m0 = static_cast<std::int64_t>(f.nMonth) - 1;
  const std::int64_t y = f.nYear + FloorDiv(m0, 12);
  const int m = static_cast<int>(m0 - FloorDiv(m0, 12) * 12) + 1;
  const std::int64_t days = DaysFromCivil(y, m, 1) + (static_cast<std::int64_t>(f.nDay) - 1);
  return days * 86400 + static_cast<std::int64_t>(f.nHour) * 3600 +
         static_cast<std::int64_t>(f.nMinute) * 60 + f.nSecond;
}

CivilFields FromCivilSeconds(CivilSeconds t) {
  const std::int64_t days = FloorDiv(t, 86400);
  const std::int64_t secs = t - days * 86400;
  CivilFields f;
  std::int64_t y = 0;
  CivilFromDays(days, y, f.nMonth, f.nDay);
  f.nYear = static_cast<int>(y);
  f.nHour = static_cast<int>(secs / 3600);
  f.nMinute = static_cast<int>(secs / 60 % 60);
  f.nSecond = static_cast<int>(secs % 60);
  return f;
}

void AppendPaddedInt(std::string &out, int v, int nMinDigits) {
  char buf[16];
  int n = 0;
  unsigned u = v < 0 ? 0u - static_cast<unsigned>(v) : static_cast<unsigned>(v);
  do {
    buf[n++] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u);
  while (n < nMinDigits && n < static_cast<int>(sizeof buf))
    buf[n++] = '0';
  if (v < 0)
    out.push_back('-');
  while (n)
    out.push_back(buf[--n]);
}

void AppendDateText(std::string &out, const CivilFields &f) {
  AppendPaddedInt(out, f.nDay, 2);
  out.push_back('-');
  AppendPaddedInt(out, f.nMonth, 2);
  out.push_back('-');
  AppendPaddedInt(out, f.nYear, 1);
}

void AppendTimeText(std::string &out, const CivilFields &f, TimeStyle style) {
  AppendDateText(out, f);
  out.push_back(',');
  AppendPaddedInt(out, f.nHour, style == TimeStyle::PaddedHour ? 2 : 1);
  out.push_back(':');
  AppendPaddedInt(out, f.nMinute, 2);
  out.push_back(':');
  AppendPaddedInt(out, f.nSecond, 2);
}

std::string FormatTimeText(const CivilFields &f, TimeStyle style) {
  std::string out;
  out.reserve(20);
  AppendTimeText(out, f, style);
  return out;
}

namespace {
// The date of a time text, up to its comma, as the seconds of its midnight;
// nothing when it is not a date FormatTimeText writes.
std::optional<CivilSeconds> DateSeconds(std::string_view s, std::size_t comma) {
  CivilFields f;
  if (s[2] != '-' || s[5] != '-' || !Digits(s, 0, 2, f.nDay) || !Digits(s, 3, 2, f.nMonth))
    return std::nullopt;
  if (comma - 6 > 4 || !Digits(s, 6, comma - 6, f.nYear) || (s[6] == '0' && comma - 6 > 1))
    return std::nullopt;
  if (f.nMonth < 1 || f.nMonth > 12 || f.nDay < 1 || f.nDay > DaysInMonth(f.nYear, f.nMonth))
    return std::nullopt;
  return ToCivilSeconds(f);
}

// The clock part after the comma: h[h]:mm:ss to the end of the text.
std::optional<ParsedTimeText> WithClock(std::string_view s, std::size_t comma, CivilSeconds date) {
  int nHour = 0, nMinute = 0, nSecond = 0;
  const std::size_t colon = FindIn(s, ':', comma + 1);
  const std::size_t nHourDigits = colon == std::string_view::npos ? 0 : colon - comma - 1;
  if (nHourDigits < 1 || nHourDigits > 2 || !Digits(s, comma + 1, nHourDigits, nHour) ||
      s.size() != colon + 6 || s[colon + 3] != ':' || !Digits(s, colon + 1, 2, nMinute) ||
      !Digits(s, colon + 4, 2, nSecond))
    return std::nullopt;
  if (nHour > 23 || nMinute > 59 || nSecond > 59)
    return std::nullopt;
  // a one-digit hour is the download form, "0h" the padded one; from 10 on both agree
  ParsedTimeText p;
  p.t = date + static_cast<CivilSeconds>(nHour) * 3600 + nMinute * 60 + nSecond;
  p.style = nHourDigits == 1 ? TimeStyle::PlainHour : TimeStyle::PaddedHour;
  p.bEitherStyle = nHour >= 10;
  return p;
}

// dd-mm-y..., with the year written without leading zeros: where the date
// ends, or npos.
std::size_t DateEnd(std::string_view s) {
  if (s.size() < 15)
    return std::string_view::npos;
  return FindIn(s, ',', 6);
}
} // namespace

std::optional<ParsedTimeText> ParseTimeText(std::string_view s) {
  const std::size_t comma = DateEnd(s);
  if (comma == std::string_view::npos)
    return std::nullopt;
  const std::optional<CivilSeconds> date = DateSeconds(s, comma);
  if (!date)
    return std::nullopt;
  return WithClock(s, comma, *date);
}

std::optional<ParsedTimeText> CTimeTextReader::Parse(std::string_view s) {
  const std::size_t comma = DateEnd(s);
  if (comma == std::string_view::npos)
    return std::nullopt;
  const std::string_view date = s.substr(0, comma + 1);
  if (!m_bHaveDate || date != std::string_view(m_date, m_nDate)) {
    if (date.size() > sizeof m_date) // a date of more than a four-digit year is never read
      return std::nullopt;
    std::copy(date.begin(), date.end(), m_date);
    m_nDate = date.size();
    m_dateSeconds = DateSeconds(s, comma);
    m_bHaveDate = true;
  }
  if (!m_dateSeconds)
    return std::nullopt;
  return WithClock(s, comma, *m_dateSeconds);
}
