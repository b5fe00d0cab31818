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

// An index-addressed store of samples in arrival order (index 0 is the
// oldest), kept flat: a level and a time in seconds per sample, and the
// unit, recording number, interval and time layout once per run of samples
// that share them. Time texts are written when asked for; a text that the
// layouts do not give back byte for byte is kept as it came. Beside the
// levels the store keeps their min/max pyramid for the graph.
class CSampleStore {
public:
  CSampleStore() = default;
  CSampleStore(const CSampleStore &) = delete;
  CSampleStore &operator=(const CSampleStore &) = delete;
  CSampleStore(CSampleStore &&) noexcept = default;
  CSampleStore &operator=(CSampleStore &&) noexcept = default;

  std::size_t GetSize() const { return m_levels.size(); }
  bool IsEmpty() const { return m_levels.empty(); }
  // The whole sample as a value (its time text written now).
  CObjData GetAt(std::size_t i) const;
  CObjData operator[](std::size_t i) const { return GetAt(i); }

  double Level(std::size_t i) const { return m_levels[i]; }
  std::span<const double> Levels() const { return m_levels; }
  std::string Time(std::size_t i) const;
  void AppendTime(std::string &out, std::size_t i) const;
  // Seconds of the sample's clock face; nothing for a time kept as text.
  std::optional<CivilSeconds> Seconds(std::size_t i) const;
  const std::string &Unit(std::size_t i) const;
  int Group(std::size_t i) const { return RunOf(i).nGroup; }
  double SampleRate(std::size_t i) const { return RunOf(i).dRate; }
  const CLevelPyramid &Pyramid() const { return m_pyramid; }
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
  // The clock-face seconds of every sample; kNoClockSeconds where the time
  // is kept as a text that no layout reads.
  static constexpr CivilSeconds kNoClockSeconds = INT64_MIN;
  std::span<const CivilSeconds> ClockSeconds() const { return m_times; }

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
  std::size_t Push(double dValue, CivilSeconds t, TimeStyle style, bool bEitherStyle,
                   std::string_view strUnit, int nGroup, double dSampleRate);
  template <class T> void Grow(std::vector<T> &v);
  std::uint32_t UnitIndex(std::string_view strUnit);

  std::vector<double> m_levels;
  std::vector<CivilSeconds> m_times;
  std::vector<Run> m_runs;
  std::vector<std::string> m_units;
  std::vector<std::pair<std::size_t, std::string>> m_texts; // by index, ascending
  CLevelPyramid m_pyramid;
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
