#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A date and time as a clock face shows it (the meter's clock, or the
// computer's local clock when a sample is taken), counted in seconds from
// 01-01-1970 00:00:00 of that same face. It carries no zone, so stepping it
// never calls the C library's local-time functions and its text comes back
// the same whatever zone the program later runs in.
using CivilSeconds = std::int64_t;

struct CivilFields {
  int nYear = 1970, nMonth = 1, nDay = 1;
  int nHour = 0, nMinute = 0, nSecond = 0;
  friend bool operator==(const CivilFields &, const CivilFields &) = default;
};

// Fields outside their ranges carry over as a calendar does (a 45th of
// February is the 17th of March, minute 99 is an hour and 39 minutes).
CivilSeconds ToCivilSeconds(const CivilFields &f);
CivilFields FromCivilSeconds(CivilSeconds t);

// How the time text of a sample is written: live samples pad the hour
// ("%.2d-%.2d-%d,%.2d:%.2d:%.2d"), downloads do not ("...,%d:%.2d:%.2d").
enum class TimeStyle : std::uint8_t { PaddedHour, PlainHour };

// The text of `f` in `style`, as printf would write it.
std::string FormatTimeText(const CivilFields &f, TimeStyle style);
void AppendTimeText(std::string &out, const CivilFields &f, TimeStyle style);
// "dd-mm-yyyy": the date half of a time text.
void AppendDateText(std::string &out, const CivilFields &f);
// printf's "%.Nd": at least nMinDigits digits, a minus sign before them; the
// one digit writer of every date and time text.
void AppendPaddedInt(std::string &out, int v, int nMinDigits);

// A time text that FormatTimeText gives back byte for byte, with its
// seconds and style; nothing for any other text (another program's
// layout, a date that does not exist, a field out of range).
struct ParsedTimeText {
  CivilSeconds t = 0;
  TimeStyle style = TimeStyle::PaddedHour;
  bool bEitherStyle = false; // an hour from 10 on reads the same in both
};
std::optional<ParsedTimeText> ParseTimeText(std::string_view text);

// ParseTimeText for texts that mostly share the date of the one before, as
// the lines of a data file do: each date is worked out once.
class CTimeTextReader {
public:
  std::optional<ParsedTimeText> Parse(std::string_view text);

private:
  char m_date[11] = {}; // "dd-mm-yyyy,"
  std::size_t m_nDate = 0;
  bool m_bHaveDate = false;
  std::optional<CivilSeconds> m_dateSeconds;
};
