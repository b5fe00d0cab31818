#include "monitor/ReadoutLayout.h"

#include <algorithm>
#include <charconv>
#include <cmath>

std::string FormatLevel(double dLevel) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, dLevel, std::chars_format::fixed, 1);
  if (res.ec != std::errc())
    return "0.0";
  std::string s(buf, res.ptr);
  if (s == "-0.0")
    s = "0.0";
  return s;
}

std::string UpdateHeldLevels(const CMeterReading &state, CReadoutLevels &levels) {
  if (!levels.m_bValid) {
    levels.m_dLatchedLevel = state.m_dLevel;
    levels.m_dBarLevel = state.m_dLevel;
    levels.m_bValid = true;
  }
  if (state.m_bLatch) {
    levels.m_dLatchedLevel = state.m_dLevel;
    return FormatLevel(state.m_dLevel);
  }
  if (state.m_bShowLatched) {
    levels.m_dBarLevel = state.m_dLevel;
    return FormatLevel(levels.m_dLatchedLevel);
  }
  levels.m_dLatchedLevel = state.m_dLevel;
  levels.m_dBarLevel = state.m_dLevel;
  return FormatLevel(state.m_dLevel);
}

std::string TimeOfDayText(const std::string &strCurTime) {
  return strCurTime.size() > 11 ? strCurTime.substr(11) : std::string();
}

std::vector<ReadoutGlyph> PlaceLevelDigits(const std::string &strText) {
  const int nLen = static_cast<int>(strText.size());
  std::vector<ReadoutGlyph> glyphs;
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  for (int i = nLen - 1; i >= 0; --i) {
    const char c = strText[static_cast<std::size_t>(i)];
    if (i == nLen - 2) {
      glyphs.push_back({kPointImage, 5 * kDigitW + 5, 224});
      continue;
    }
    if (!isDigit(c))
      continue;
    if (i == nLen - 1) {
      glyphs.push_back({c - '0', 5 * kDigitW + 10, 2 * kDigitH + 75});
      continue;
    }
    // Column 4 holds the units digit: hundreds, tens, units at x 53, 78, 103
    // whatever the number of integer digits.
    const int x = kDigitW * (7 - nLen + i) + 3;
    if (x < kReadoutX)
      continue;
    glyphs.push_back({c - '0', x, 2 * kDigitH + 75});
  }
  return glyphs;
}

std::optional<BarScale> BarScaleForRange(int nRange) {
  switch (nRange) {
  case 1:
    return BarScale{30, 80, 1};
  case 2:
    return BarScale{50, 100, 1};
  case 3:
    return BarScale{80, 130, 1};
  case 4:
    return BarScale{30, 130, 2};
  default:
    return std::nullopt;
  }
}

int BarMarkCount(const BarScale &scale, double dBarLevel) {
  double b = dBarLevel;
  if (!(b >= scale.nLow)) // also catches NaN
    b = scale.nLow;
  if (b > scale.nHigh)
    b = scale.nHigh;
  return static_cast<int>(b - scale.nLow) / scale.nDbPerMark;
}

std::vector<ReadoutPoint> BarMarkPositions(int nMarks) {
  std::vector<ReadoutPoint> marks{{60, 137}, {60, 146}};
  for (int i = 1; i <= nMarks; ++i) {
    marks.push_back({60 + 2 * i, 146});
    if (i % 5 == 0)
      marks.push_back({60 + 2 * i, 137});
  }
  return marks;
}

std::vector<ReadoutText> StatusWords(const CMeterReading &s) {
  const ReadoutFont *f = &kStatusFont;
  std::vector<ReadoutText> words;
  words.push_back(s.m_bFast ? ReadoutText{"FAST", 105, 115, f} : ReadoutText{"SLOW", 124, 115, f});
  if (s.m_bMax)
    words.push_back({"MAX", 55, 115, f});
  if (s.m_bMin)
    words.push_back({"MIN", 80, 115, f});
  words.push_back({s.m_bWeightA ? "dBA" : "dBC", 105, 233, f});
  if (s.m_bRec)
    words.push_back({"REC", 75, 233, f});
  if (s.m_bHold)
    words.push_back({"HOLD", 130, 233, f});
  if (s.m_bOver)
    words.push_back({"OVER", 130, 107, f});
  if (s.m_nRange == 4)
    words.push_back({"AUTO", 130, 233, f});
  if (s.m_bUnder)
    words.push_back({"UNDER", 55, 107, f});
  return words;
}

ReadoutItems LayoutReadout(const CMeterReading &state, CReadoutLevels &levels) {
  ReadoutItems items;
  const std::string strLevel = UpdateHeldLevels(state, levels);
  items.digits = PlaceLevelDigits(strLevel);
  items.time = {TimeOfDayText(state.m_strCurTime), 76, 155, &kTimeFont};
  items.timeLabel = {"TIME", 132, 164, &kTimeLabelFont};
  if (auto scale = BarScaleForRange(state.m_nRange)) {
    items.barLabels.push_back({std::to_string(scale->nLow), 57, 126, &kBarFont});
    items.barLabels.push_back({std::to_string(scale->nHigh), 142, 126, &kBarFont});
    items.barMarks = BarMarkPositions(BarMarkCount(*scale, levels.m_dBarLevel));
  }
  items.status = StatusWords(state);
  return items;
}
