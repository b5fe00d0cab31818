#pragma once

#include "meter/MeterReading.h"

#include <optional>
#include <string>
#include <vector>

// Everything the live readout decides, as plain data: which digit, point,
// bar mark and text goes where on the meter picture. The UI only paints the
// items in the order given (later items cover earlier ones).

constexpr int kReadoutX = 52; // inside of the display window on the picture
constexpr int kReadoutY = 107;
constexpr int kReadoutW = 114;
constexpr int kReadoutH = 152;
constexpr int kMeterPictureW = 220;
constexpr int kMeterPictureH = 665;
constexpr int kDigitW = 25;
constexpr int kDigitH = 53;
constexpr int kPointW = 7;
constexpr int kPointH = 8;
constexpr int kMarkW = 1;
constexpr int kMarkH = 7;

// A font as the meter's display uses it: cell height and average character
// width in pixels (0: the face's own), weight 400 or 700.
struct ReadoutFont {
  const char *pszFace;
  int nHeight;
  int nWidth;
  int nWeight;
};
inline constexpr ReadoutFont kTimeFont{"Time New Roman", 24, 6, 700};
inline constexpr ReadoutFont kTimeLabelFont{"Time New Roman", 14, 5, 400};
inline constexpr ReadoutFont kBarFont{"Time New Roman", 13, 0, 400};
inline constexpr ReadoutFont kStatusFont{"Status New Roman", 10, 6, 400};

// The levels the readout holds across frames. Until the first drawing they
// take the level being drawn, so a latched first frame never shows garbage.
struct CReadoutLevels {
  double m_dLatchedLevel = 0;
  double m_dBarLevel = 0;
  bool m_bValid = false;
};

// "%.1f" with a point whatever the process locale.
std::string FormatLevel(double dLevel);

// Applies the latch rules to the held levels and returns the level text the
// digits show.
std::string UpdateHeldLevels(const CMeterReading &state, CReadoutLevels &levels);

// The time of day of "dd-mm-yyyy,hh:mm:ss": everything after the first 11
// characters; empty for a shorter text.
std::string TimeOfDayText(const std::string &strCurTime);

struct ReadoutGlyph {
  int nImage; // 0..9 a digit image, kPointImage the decimal point
  int x, y;
  bool operator==(const ReadoutGlyph &) const = default;
};
constexpr int kPointImage = -1;

// Digit and point images of a level text, in drawing order (tenths first, so
// the point covers the tenths digit's left margin). Texts shorter than four
// characters are right-aligned; characters that are no digit, and digits
// that would fall left of the display, are left out.
std::vector<ReadoutGlyph> PlaceLevelDigits(const std::string &strText);

struct BarScale {
  int nLow, nHigh; // dB at the ends of the bar
  int nDbPerMark;  // 1, or 2 for the auto range
};
// The bar of a range code; none for codes other than 1 to 4.
std::optional<BarScale> BarScaleForRange(int nRange);
// Marks beyond the base for a bar level, clamped to the bar's range.
int BarMarkCount(const BarScale &scale, double dBarLevel);

struct ReadoutPoint {
  int x, y;
  bool operator==(const ReadoutPoint &) const = default;
};
// The two base marks, then one per mark with a tall one every fifth.
std::vector<ReadoutPoint> BarMarkPositions(int nMarks);

struct ReadoutText {
  std::string strText;
  int x, y; // top-left of the text cell
  const ReadoutFont *pFont;
};
// The status words of the state, in drawing order.
std::vector<ReadoutText> StatusWords(const CMeterReading &state);

// The whole readout in drawing order.
struct ReadoutItems {
  std::vector<ReadoutGlyph> digits;
  ReadoutText time;
  ReadoutText timeLabel;
  std::vector<ReadoutText> barLabels; // empty for an unknown range
  std::vector<ReadoutPoint> barMarks;
  std::vector<ReadoutText> status;
};
ReadoutItems LayoutReadout(const CMeterReading &state, CReadoutLevels &levels);
