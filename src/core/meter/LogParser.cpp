#include "meter/LogParser.h"

#include "meter/HexText.h"
#include "meter/MeterText.h"
#include "records/CivilTime.h"

namespace {

void ReadHeader(std::string_view header, CLogCursor &c) {
  // The year is "20" followed by the header's two digits.
  char year[5] = {'2', '0', 0, 0, 0};
  std::string_view yy = Mid(header, 2, 2);
  for (std::size_t i = 0; i < yy.size(); ++i)
    year[2 + i] = yy[i];
  c.m_nYear = ReadDecimalInt(year);
  c.m_nMonth = ReadDecimalInt(Mid(header, 4, 2));
  std::string_view hour = Mid(header, 8, 2);
  c.m_nHour = MeterHour(hour.size() > 0 ? hour[0] : '0', hour.size() > 1 ? hour[1] : '0');
  c.m_strUnit = Mid(header, 0, 2) == "aa" ? "dBA" : "dBC";
  c.m_nDay = ReadDecimalInt(Mid(header, 6, 2));
  c.m_nMinute = ReadDecimalInt(Mid(header, 10, 2));
  c.m_nSecond = ReadDecimalInt(Mid(header, 12, 2));
  c.m_dSampleRate = ReadDecimalInt(Mid(header, 14, 2));
}

// Intermediate recordings take a trailing short piece as a level; the last
// one drops a trailing piece of two characters or fewer. The first level
// carries the header's fields as they came; every later one the start plus
// whole intervals on the meter's clock, which rolls over midnight, month
// and year ends as a calendar does. The cursor ends one interval past the
// last level.
void EmitLevels(std::string_view levels, bool bLast, CLogDecodeState &dec, CSampleStore &store) {
  CLogCursor &c = dec.m_logTime;
  std::size_t end = levels.size();
  if (bLast)
    end = end > 2 ? end - 2 : 0;
  if (end == 0)
    return;
  const CivilFields start{c.m_nYear, c.m_nMonth, c.m_nDay, c.m_nHour, c.m_nMinute, c.m_nSecond};
  const CivilSeconds t0 = ToCivilSeconds(start);
  const CivilSeconds step = static_cast<int>(c.m_dSampleRate);
  CivilSeconds t = t0;
  for (std::size_t pos = 0; pos < end; pos += 4, t += step) {
    const double dLevel = ReadDecimalInt(Mid(levels, pos, 4)) / 10.0;
    if (pos == 0) // the header's own text, even when a field is out of range
      store.Emplace(dLevel, FormatTimeText(start, TimeStyle::PlainHour), c.m_strUnit, dec.m_nLogGroup,
                    c.m_dSampleRate);
    else
      store.AppendAt(dLevel, t, TimeStyle::PlainHour, c.m_strUnit, dec.m_nLogGroup, c.m_dSampleRate);
    c.m_dLastLevel = dLevel;
  }
  const CivilFields next = FromCivilSeconds(t);
  c.m_nYear = next.nYear;
  c.m_nMonth = next.nMonth;
  c.m_nDay = next.nDay;
  c.m_nHour = next.nHour;
  c.m_nMinute = next.nMinute;
  c.m_nSecond = next.nSecond;
}

} // namespace

void ParseLogData(std::string_view strText, CLogDecodeState &dec, CSampleStore &store, IReceiveSink &sink) {
  std::string_view rest = strText;
  for (std::size_t p = FindHexByte(rest, "ac"); p != std::string_view::npos; p = FindHexByte(rest, "ac")) {
    std::string_view current = rest;
    std::size_t headerStart = p >= 16 ? p - 16 : 0;
    std::string_view header = current.substr(headerStart, p - headerStart);
    std::string_view levels = current.substr(0, headerStart);
    rest = current.substr(p + 2);
    EmitLevels(levels, false, dec, store);
    ++dec.m_nLogGroup;
    ReadHeader(header, dec.m_logTime);
  }
  std::size_t q = FindHexByte(rest, "dd");
  if (q != std::string_view::npos)
    EmitLevels(rest.substr(0, q), true, dec, store);
  sink.OnDownloadEnded();
}
