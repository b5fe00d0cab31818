#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Noise figures of a series of equally spaced levels (dB): the equivalent
// continuous level, the levels exceeded by 10, 50 and 90 % of the samples,
// the sound exposure level and the time the series covers.
struct AcousticStats {
  std::size_t nCount = 0; // 0: nothing below is meaningful and nothing is shown
  double dLeq = 0;
  double dL10 = 0;
  double dL50 = 0;
  double dL90 = 0;
  double dSel = 0;         // not a number when the series covers no time
  double dDurationSec = 0; // nCount × the interval
};

// All figures at once, O(N).
AcousticStats ComputeAcousticStats(std::span<const double> levels, double dIntervalSec);

// Levels counted per tenth of a dB as they come, so a long series of meter
// readings gets its figures without being gathered: Figures gives exactly
// what ComputeAcousticStats gives for the same levels, or nothing when that
// needs the levels themselves (a short series, or a level that is no tenth).
class CTenthsCounter {
public:
  void Add(std::span<const double> levels);
  std::optional<AcousticStats> Figures(double dIntervalSec) const;

private:
  std::vector<std::uint32_t> m_counts;
  long m_nTop = 0;
  std::size_t m_nCount = 0;
  bool m_bTenths = true;
};

// Only L10, L50 and L90 of `s`, from `levels` (empty: left as they are).
void ComputeExceededLevels(std::span<const double> levels, AcousticStats &s);

// The level exceeded by `nPercent` % of the samples: with the levels sorted
// from highest to lowest, the one at index ceil(nPercent·N/100) − 1.
// An empty series gives 0.
double LevelExceeded(std::span<const double> levels, int nPercent);

// Leq and SEL of a series that grows one sample at a time, O(1) per sample.
// The energies are summed relative to the highest level so far, so levels
// far apart (or very high) neither overflow nor drown each other.
class CLeqAccumulator {
public:
  void Add(double dLevel);
  void Clear();
  std::size_t Count() const { return m_nCount; }
  // 0 while empty.
  double Leq() const;
  // Leq + 10·log10(Count × interval); not a number when that time is not positive.
  double Sel(double dIntervalSec) const;

private:
  std::size_t m_nCount = 0;
  double m_dRef = 0; // highest level so far: each energy is 10^((L − m_dRef)/10) ≤ 1
  double m_dSum = 0;
};

// The sound exposure level of `dLeq` held for `dSeconds`.
double SoundExposureLevel(double dLeq, double dSeconds);

// "h:mm:ss" of a duration rounded to the second; hours grow past 24.
// Negative or not-a-number durations read as 0.
std::string FormatDuration(double dSeconds);

// The unit all samples of a series share ("dBA", "dBC"), or none when they
// differ; fed one unit at a time so a live run keeps it at O(1) per sample.
class CUnitTally {
public:
  void Add(std::string_view strUnit);
  void Clear();
  // Empty while the series is empty or mixed.
  std::string_view Common() const { return m_bMixed ? std::string_view() : std::string_view(m_strUnit); }

private:
  std::string m_strUnit;
  bool m_bAny = false;
  bool m_bMixed = false;
};

// "LAeq" for a series all in dBA, "LCeq" for one all in dBC, otherwise
// "Leq"; `strCommonUnit` as CUnitTally::Common gives it.
std::string LeqLabel(std::string_view strCommonUnit);

// A figure as the read-outs, the exports and the printed page show it.
struct AcousticFigure {
  std::string strLabel;
  std::string strText; // dB with one decimal, or the duration as h:mm:ss
  double dValue = 0;   // dB, or seconds for the duration
};
enum AcousticFigureIndex { kFigLeq, kFigL10, kFigL50, kFigL90, kFigSel, kFigDuration, kFigCount };

// Leq (labelled `strLeqLabel`), L10, L50, L90, SEL and the duration
// (labelled `strDurationLabel`, in the language of where it is shown), in
// that order; none for an empty series.
std::vector<AcousticFigure> AcousticFigures(const AcousticStats &s, std::string_view strLeqLabel,
                                            std::string_view strDurationLabel);
// A level with one decimal and "." whatever the locale; empty when it is not a number.
std::string FormatDecibels(double dLevel);
