#pragma once

#include <optional>
#include <string_view>

// A sample line in the layout the meter and this program write,
// "dd-mm-yyyy,hh:mm:ss, ll.ll, unit", read without the general rules'
// searching: every field it gives is what the general reading of the same
// line gives. Any other line (another layout, a clock past 23:59:59, a
// level with a sign or an exponent) is left to the general reading.
struct CUsualTextLine {
  std::string_view date; // "dd-mm-yyyy": not judged here
  std::string_view time; // date and clock, as the general reading cuts it
  int nClockSeconds = 0; // from midnight
  double dLevel = 0;     // as from_chars reads it
  std::string_view unit; // as the general reading cuts it
};
std::optional<CUsualTextLine> ReadUsualTextLine(std::string_view line);

// The unit of a sample line as the data file has always been read: its last
// four characters, less a CR at the end and a blank at the start.
inline std::string_view TextLineUnit(std::string_view line) {
  std::string_view unit = line.size() > 4 ? line.substr(line.size() - 4) : line;
  if (!unit.empty() && unit.back() == '\r')
    unit.remove_suffix(1);
  if (!unit.empty() && unit.front() == ' ')
    unit.remove_prefix(1);
  return unit;
}
