#pragma once

#include "records/CivilTime.h"
#include "records/LevelPyramid.h"
#include "records/ObjData.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// k / 10.0 for the tenths levels come in (-102.4 to 307.1 dB), worked out
// once: a division per sample costs more than the rest of a pass over them.
struct TenthsLevelTable {
  static constexpr int kLow = -1024, kSize = 4096;
  double d[kSize] = {};
  constexpr TenthsLevelTable() {
    for (int k = 0; k < kSize; ++k)
      d[k] = static_cast<double>(k + kLow) / 10.0;
  }
};
inline constexpr TenthsLevelTable kTenthsLevels{};

// An index-addressed store of samples in arrival order (index 0 is the
// oldest), kept compact: a level per sample in tenths of a dB (the meter's
// resolution; all levels as doubles once one is not a tenth), times as runs
// of a start and a step, and the unit, recording number, interval and time
// layout once per run of samples that share them. Time texts are written
// when asked for; a text that the layouts do not give back byte for byte is
// kept as it came. Beside the levels the store keeps their min/max pyramid
// for the graph.
class CSampleStore {
public:
  CSampleStore() = default;
  CSampleStore(const CSampleStore &) = delete;
  CSampleStore &operator=(const CSampleStore &) = delete;
  CSampleStore(CSampleStore &&) noexcept = default;
  CSampleStore &operator=(CSampleStore &&) noexcept = default;

  std::size_t GetSize() const { return m_bExact ? m_exact.size() : m_tenths.size(); }
  bool IsEmpty() const { return GetSize() == 0; }
  // The whole sample as a value (its time text written now).
  CObjData GetAt(std::size_t i) const;
  CObjData operator[](std::size_t i) const { return GetAt(i); }

  double Level(std::size_t i) const { return m_bExact ? m_exact[i] : LevelOfTenths(m_tenths[i]); }
  // Whether every level is kept as tenths of a dB (2 bytes each).
  bool LevelsInTenths() const { return !m_bExact; }
  // Calls f(levels, nAt) for consecutive parts of [nFirst, nFirst + nCount),
  // levels[0] being sample nAt; loops over many samples read them this way.
  template <class F> void ForEachLevelSpan(std::size_t nFirst, std::size_t nCount, F f) const {
    if (m_bExact) {
      if (nCount > 0)
        f(std::span<const double>(m_exact).subspan(nFirst, nCount), nFirst);
      return;
    }
    double buf[kChunk];
    for (std::size_t n; nCount > 0; nFirst += n, nCount -= n) {
      n = std::min(nCount, kChunk);
      for (std::size_t k = 0; k < n; ++k)
        buf[k] = LevelOfTenths(m_tenths[nFirst + k]);
      f(std::span<const double>(buf, n), nFirst);
    }
  }
  // Calls f(levels, seconds, nAt) for consecutive parts of [nFirst, nFirst + nCount);
  // seconds are kNoClockSeconds where the time is kept as text.
  template <class F> void ForEachSampleSpan(std::size_t nFirst, std::size_t nCount, F f) const {
    CivilSeconds t[kChunk];
    for (std::size_t nDone = 0; nDone < nCount;) {
      const std::size_t n = std::min(nCount - nDone, kChunk);
      ClockSecondsInto(nFirst + nDone, std::span<CivilSeconds>(t, n));
      ForEachLevelSpan(nFirst + nDone, n, [&](std::span<const double> levels, std::size_t nAt) {
        f(levels, std::span<const CivilSeconds>(t + (nAt - nFirst - nDone), levels.size()), nAt);
      });
      nDone += n;
    }
  }
  // The levels of [nFirst, nFirst + nCount) appended to `out`.
  void CopyLevels(std::size_t nFirst, std::size_t nCount, std::vector<double> &out) const;
  // Extremes of the levels [a, b), a < b <= GetSize(), from the pyramid.
  LevelMinMax LevelRange(std::size_t a, std::size_t b) const {
    return m_bExact ? m_exactPyramid.Range(m_exact, a, b) : m_tenthsPyramid.Range(m_tenths, a, b);
  }
  // CLevelPyramid::FirstHighOrLowWhere over the store's levels.
  template <class High, class Low>
  std::size_t FirstHighOrLowWhere(std::size_t a, std::size_t b, High high, Low low) const {
    return m_bExact ? m_exactPyramid.FirstHighOrLowWhere(m_exact, a, b, high, low)
                    : m_tenthsPyramid.FirstHighOrLowWhere(m_tenths, a, b, high, low);
  }
  std::string Time(std::size_t i) const;
  void AppendTime(std::string &out, std::size_t i) const;
  // Seconds of the sample's clock face; nothing for a time kept as text.
  std::optional<CivilSeconds> Seconds(std::size_t i) const;
  const std::string &Unit(std::size_t i) const;
  int Group(std::size_t i) const { return RunOf(i).nGroup; }
  double SampleRate(std::size_t i) const { return RunOf(i).dRate; }
  // Grows whenever the samples change other than by appending (emptied,
  // or replaced by another store's), so a reader that kept something
  // computed from the first n samples knows whether it still holds.
  std::uint64_t Revision() const { return m_revision.n; }
  // Calls f(unit) once for each run of samples sharing a unit that
  // [nFirst, nFirst + nCount) meets, in order (neighbouring runs may repeat it).
  template <class F> void ForEachUnitRun(std::size_t nFirst, std::size_t nCount, F f) const {
    if (nCount == 0)
      return;
    const std::size_t nEnd = nFirst + nCount;
    for (std::size_t r = static_cast<std::size_t>(&RunOf(nFirst) - m_runs.data());
         r < m_runs.size() && m_runs[r].nFirst < nEnd; ++r)
      f(m_units[m_runs[r].nUnit]);
  }

  // Calls f(nFirst, nCount, dRate, unit) for each stretch of
  // [nFirst, nFirst + nCount) whose samples share an interval and a unit, in order.
  template <class F> void ForEachRateRun(std::size_t nFirst, std::size_t nCount, F f) const {
    if (nCount == 0)
      return;
    const std::size_t nEnd = nFirst + nCount;
    for (std::size_t r = static_cast<std::size_t>(&RunOf(nFirst) - m_runs.data());
         r < m_runs.size() && m_runs[r].nFirst < nEnd; ++r) {
      const std::size_t a = std::max(nFirst, m_runs[r].nFirst);
      const std::size_t b = r + 1 < m_runs.size() ? std::min(nEnd, m_runs[r + 1].nFirst) : nEnd;
      f(a, b - a, m_runs[r].dRate, m_units[m_runs[r].nUnit]);
    }
  }
  // Stands for the clock-face seconds of a time kept as a text that no layout reads.
  static constexpr CivilSeconds kNoClockSeconds = INT64_MIN;
  // The clock-face seconds of samples [nFirst, nFirst + out.size()).
  void ClockSecondsInto(std::size_t nFirst, std::span<CivilSeconds> out) const;
  // The first clock-face seconds among [nFirst, nFirst + nCount), if any.
  std::optional<CivilSeconds> FirstClockSeconds(std::size_t nFirst, std::size_t nCount) const;
  // Runs of samples whose times go by one step (the store's own count of them).
  std::size_t TimeRunCount() const { return m_timeRuns.size(); }

  // Each returns the index of the new sample. A time text is kept as
  // seconds when one of the two layouts gives it back byte for byte.
  std::size_t Add(const CObjData &rec) {
    return Emplace(rec.m_dValue, rec.m_strTime, rec.m_strUnit, rec.m_nGroup, rec.m_dSampleRate);
  }
  std::size_t Emplace(double dValue, std::string_view strTime, std::string_view strUnit, int nGroup,
                      double dSampleRate);
  // Emplace with `strTime` already read (nothing: a text that neither
  // layout gives back), as a file reader that judged the time first does.
  std::size_t EmplaceRead(double dValue, std::string_view strTime,
                          const std::optional<ParsedTimeText> &parsed, std::string_view strUnit, int nGroup,
                          double dSampleRate);
  std::size_t AppendAt(double dValue, CivilSeconds t, TimeStyle style, std::string_view strUnit, int nGroup,
                       double dSampleRate);

  // While many samples are appended at once (a file being read), the
  // pyramid is built once at the end instead of grown per sample.
  void BeginBulkAppend() { m_bBulk = true; }
  void EndBulkAppend();

  void Reserve(std::size_t n);
  // Gives back room reserved beyond the samples.
  void ShrinkToFit();
  void RemoveAll();

  // Bytes held, the store's own bookkeeping included.
  std::size_t MemoryBytes() const;

  // Runs of neighbouring samples with one recording number (the data
  // logger window lists them): first index and length.
  struct GroupRun {
    std::size_t nFirst = 0;
    std::size_t nCount = 0;
    int nGroup = 0;
  };
  std::vector<GroupRun> GroupRuns() const;

private:
  // Samples from nFirst on share these until the next run.
  struct Run {
    std::size_t nFirst = 0;
    int nGroup = 0;
    double dRate = 0;
    std::uint32_t nUnit = 0; // index in m_units
    TimeStyle style = TimeStyle::PaddedHour;
    bool bStyleSet = false; // a time has fixed the layout (hours from 10 fit both)
  };
  static constexpr CivilSeconds kTextTime = kNoClockSeconds; // the time is in m_texts
  static constexpr std::size_t kChunk = 1024;
  static double LevelOfTenths(std::int16_t k) {
    const unsigned u = static_cast<unsigned>(k - TenthsLevelTable::kLow);
    return u < TenthsLevelTable::kSize ? kTenthsLevels.d[u] : CTenthsPyramid::ToLevel(k);
  }
  using CTenthsPyramid = CMinMaxPyramid<std::int16_t>;
  // Sample nFirst + k of the run is at tStart + (k / nPer) · nStep: every
  // nPer samples the clock moves nStep seconds (a rate of 0.5 s reads each
  // second twice). nPer 0: every sample so far is at tStart, which for
  // kTextTime means kept as text.
  struct TimeRun {
    std::size_t nFirst = 0;
    CivilSeconds tStart = 0;
    std::int32_t nStep = 0;
    std::uint32_t nPer = 0;
  };
  // A move changes the samples of both stores.
  struct RevisionCount {
    std::uint64_t n = 0;
    RevisionCount() = default;
    RevisionCount(RevisionCount &&o) noexcept : n(o.n + 1) { ++o.n; }
    RevisionCount &operator=(RevisionCount &&o) noexcept {
      n = std::max(n, o.n) + 1;
      ++o.n;
      return *this;
    }
  };

  const Run &RunOf(std::size_t i) const;
  const TimeRun &TimeRunOf(std::size_t i) const;
  static CivilSeconds SecondsIn(const TimeRun &r, std::size_t i) {
    return r.nPer == 0 ? r.tStart : r.tStart + static_cast<CivilSeconds>((i - r.nFirst) / r.nPer) * r.nStep;
  }
  CivilSeconds RawSeconds(std::size_t i) const { return SecondsIn(TimeRunOf(i), i); }
  void PushTime(CivilSeconds t);
  void PushLevel(double dValue);
  void KeepLevelsExact();
  std::size_t Push(double dValue, CivilSeconds t, TimeStyle style, bool bEitherStyle,
                   std::string_view strUnit, int nGroup, double dSampleRate);
  template <class T> void Grow(std::vector<T> &v);
  std::uint32_t UnitIndex(std::string_view strUnit);

  std::vector<std::int16_t> m_tenths; // while m_bExact is false
  std::vector<double> m_exact;        // once a level is not a whole number of tenths
  std::vector<TimeRun> m_timeRuns;
  std::vector<Run> m_runs;
  std::uint64_t m_nLastUnitKey = 0; // ShortUnitKey of the last run's unit
  std::vector<std::string> m_units;
  std::vector<std::pair<std::size_t, std::string>> m_texts; // by index, ascending
  CTenthsPyramid m_tenthsPyramid;
  CLevelPyramid m_exactPyramid;
  bool m_bExact = false;
  bool m_bBulk = false;
  RevisionCount m_revision;
};

// The one owner of both stores; handed by reference to whoever needs them
// instead of process-wide pointers.
struct CDataStores {
  CSampleStore m_live; // filled by monitoring runs
  CSampleStore m_log;  // filled by downloads and opened files

  bool AnyRecords() const { return !m_live.IsEmpty() || !m_log.IsEmpty(); }
};
