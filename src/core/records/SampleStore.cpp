#include "records/SampleStore.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace {
bool SameRate(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// The level as tenths of a dB when they give it back bit for bit (the
// meter's readings, its downloads and "65.3" in a file do); minus zero and
// not-a-number do not.
std::optional<std::int16_t> TenthsOf(double d) {
  const double t = d * 10.0;
  constexpr double dLimit = std::numeric_limits<std::int16_t>::max();
  if (!(t > -dLimit - 0.5 && t < dLimit + 0.5))
    return std::nullopt;
  // rounds half away from zero as lround does, without its call: the
  // check below rejects any level the nearest tenth does not give back
  const long k = static_cast<long>(t < 0 ? t - 0.5 : t + 0.5);
  if (static_cast<double>(k) / 10.0 != d || (k == 0 && std::signbit(d)))
    return std::nullopt;
  return static_cast<std::int16_t>(k);
}

// A unit of up to seven bytes as one number, its length on top, so that a
// line's unit meets the last run's in one compare; 0: compare the text.
std::uint64_t ShortUnitKey(std::string_view s) {
  if (s.empty() || s.size() > 7)
    return 0;
  std::uint64_t k = s.size();
  for (char c : s)
    k = k << 8 | static_cast<unsigned char>(c);
  return k;
}
} // namespace

const CSampleStore::Run &CSampleStore::RunOf(std::size_t i) const {
  auto it = std::upper_bound(m_runs.begin(), m_runs.end(), i,
                             [](std::size_t idx, const Run &r) { return idx < r.nFirst; });
  return *(it - 1);
}

const CSampleStore::TimeRun &CSampleStore::TimeRunOf(std::size_t i) const {
  auto it = std::upper_bound(m_timeRuns.begin(), m_timeRuns.end(), i,
                             [](std::size_t idx, const TimeRun &r) { return idx < r.nFirst; });
  return *(it - 1);
}

CObjData CSampleStore::GetAt(std::size_t i) const {
  if (i >= GetSize())
    throw std::out_of_range("sample index past the store");
  const Run &r = RunOf(i);
  return {Level(i), Time(i), m_units[r.nUnit], r.nGroup, r.dRate};
}

void CSampleStore::CopyLevels(std::size_t nFirst, std::size_t nCount, std::vector<double> &out) const {
  out.reserve(out.size() + nCount);
  ForEachLevelSpan(nFirst, nCount, [&](std::span<const double> levels, std::size_t) {
    out.insert(out.end(), levels.begin(), levels.end());
  });
}

void CSampleStore::ClockSecondsInto(std::size_t nFirst, std::span<CivilSeconds> out) const {
  if (out.empty())
    return;
  // one division per run, not per sample
  std::size_t r = static_cast<std::size_t>(&TimeRunOf(nFirst) - m_timeRuns.data());
  for (std::size_t k = 0; k < out.size(); ++r) {
    const TimeRun &run = m_timeRuns[r];
    const std::size_t i = nFirst + k;
    const std::size_t nEnd = r + 1 < m_timeRuns.size() ? m_timeRuns[r + 1].nFirst - nFirst : out.size();
    const std::size_t nUpTo = std::min(nEnd, out.size());
    if (run.nPer == 0) {
      std::fill(out.begin() + static_cast<std::ptrdiff_t>(k),
                out.begin() + static_cast<std::ptrdiff_t>(nUpTo), run.tStart);
      k = nUpTo;
      continue;
    }
    std::size_t nInStep = (i - run.nFirst) % run.nPer;
    CivilSeconds t = SecondsIn(run, i);
    for (; k < nUpTo; ++k) {
      out[k] = t;
      if (++nInStep == run.nPer) {
        nInStep = 0;
        t += run.nStep;
      }
    }
  }
}

std::optional<CivilSeconds> CSampleStore::FirstClockSeconds(std::size_t nFirst, std::size_t nCount) const {
  if (nCount == 0)
    return std::nullopt;
  const std::size_t nEnd = nFirst + nCount;
  for (std::size_t r = static_cast<std::size_t>(&TimeRunOf(nFirst) - m_timeRuns.data());
       r < m_timeRuns.size() && m_timeRuns[r].nFirst < nEnd; ++r)
    if (m_timeRuns[r].tStart != kTextTime)
      return SecondsIn(m_timeRuns[r], std::max(nFirst, m_timeRuns[r].nFirst));
  return std::nullopt;
}

void CSampleStore::AppendTime(std::string &out, std::size_t i) const {
  const CivilSeconds t = RawSeconds(i);
  if (t == kTextTime) {
    auto it = std::lower_bound(m_texts.begin(), m_texts.end(), i,
                               [](const auto &e, std::size_t idx) { return e.first < idx; });
    out += it->second;
    return;
  }
  AppendTimeText(out, FromCivilSeconds(t), RunOf(i).style);
}

std::string CSampleStore::Time(std::size_t i) const {
  std::string s;
  s.reserve(20);
  AppendTime(s, i);
  return s;
}

std::optional<CivilSeconds> CSampleStore::Seconds(std::size_t i) const {
  const CivilSeconds t = RawSeconds(i);
  if (t == kTextTime)
    return std::nullopt;
  return t;
}

const std::string &CSampleStore::Unit(std::size_t i) const {
  return m_units[RunOf(i).nUnit];
}

std::uint32_t CSampleStore::UnitIndex(std::string_view strUnit) {
  // the last run's unit first: it is nearly always the one
  if (!m_runs.empty() && m_units[m_runs.back().nUnit] == strUnit)
    return m_runs.back().nUnit;
  for (std::size_t u = 0; u < m_units.size(); ++u)
    if (m_units[u] == strUnit)
      return static_cast<std::uint32_t>(u);
  m_units.emplace_back(strUnit);
  return static_cast<std::uint32_t>(m_units.size() - 1);
}

template <class T> void CSampleStore::Grow(std::vector<T> &v) {
  // half as much again, not twice: reserved room stays within the size budget
  if (v.size() == v.capacity())
    v.reserve(v.capacity() + v.capacity() / 2 + 64);
}

// Both run once per sample: inlined into Push, they cost no call.
inline void CSampleStore::PushTime(CivilSeconds t) {
  const std::size_t i = GetSize();
  if (!m_timeRuns.empty()) {
    TimeRun &r = m_timeRuns.back();
    const std::size_t nIn = i - r.nFirst;
    if (r.nPer == 0) {
      if (t == r.tStart)
        return;
      // the first other time sets the step and how many samples each one takes
      if (r.tStart != kTextTime && t != kTextTime && nIn <= std::numeric_limits<std::uint32_t>::max() &&
          t - r.tStart >= std::numeric_limits<std::int32_t>::min() &&
          t - r.tStart <= std::numeric_limits<std::int32_t>::max()) {
        r.nStep = static_cast<std::int32_t>(t - r.tStart);
        r.nPer = static_cast<std::uint32_t>(nIn);
        return;
      }
    } else if (t != kTextTime && t == SecondsIn(r, i)) {
      return;
    } else if (t != kTextTime && t == SecondsIn(r, i - 1)) {
      // a second read twice after ones read once (a 0.5 s rate that began
      // mid-second): the new run takes the previous sample too, so it holds
      Grow(m_timeRuns);
      m_timeRuns.push_back({i - 1, t, 0, 0});
      return;
    }
  }
  Grow(m_timeRuns);
  m_timeRuns.push_back({i, t, 0, 0});
}

inline void CSampleStore::PushLevel(double dValue) {
  if (!m_bExact) {
    if (const std::optional<std::int16_t> k = TenthsOf(dValue)) {
      Grow(m_tenths);
      m_tenths.push_back(*k);
      if (!m_bBulk)
        m_tenthsPyramid.Append(m_tenths);
      return;
    }
    KeepLevelsExact();
  }
  Grow(m_exact);
  m_exact.push_back(dValue);
  if (!m_bBulk)
    m_exactPyramid.Append(m_exact);
}

std::size_t CSampleStore::Push(double dValue, CivilSeconds t, TimeStyle style, bool bEitherStyle,
                               std::string_view strUnit, int nGroup, double dSampleRate) {
  const std::uint64_t nUnitKey = ShortUnitKey(strUnit);
  const std::uint32_t nUnit = nUnitKey != 0 && nUnitKey == m_nLastUnitKey && !m_runs.empty()
                                  ? m_runs.back().nUnit
                                  : UnitIndex(strUnit);
  const std::size_t i = GetSize();
  const bool bText = t == kTextTime;
  bool bJoin = false;
  if (!m_runs.empty()) {
    Run &last = m_runs.back();
    bJoin = last.nGroup == nGroup && SameRate(last.dRate, dSampleRate) && last.nUnit == nUnit &&
            (bText || bEitherStyle || !last.bStyleSet || last.style == style);
    // the first time that only one layout writes fixes the run's layout
    if (bJoin && !bText && !bEitherStyle && !last.bStyleSet) {
      last.style = style;
      last.bStyleSet = true;
    }
  }
  if (!bJoin) {
    Grow(m_runs);
    m_runs.push_back({i, nGroup, dSampleRate, nUnit, style, !bText && !bEitherStyle});
    m_nLastUnitKey = nUnitKey;
  }
  PushTime(t);
  PushLevel(dValue);
  return i;
}

void CSampleStore::KeepLevelsExact() {
  m_exact.reserve(m_tenths.capacity());
  for (std::int16_t k : m_tenths)
    m_exact.push_back(CTenthsPyramid::ToLevel(k));
  std::vector<std::int16_t>().swap(m_tenths);
  m_tenthsPyramid.Clear();
  if (!m_bBulk)
    m_exactPyramid.Rebuild(m_exact);
  m_bExact = true;
}

void CSampleStore::EndBulkAppend() {
  if (m_bBulk) {
    if (m_bExact)
      m_exactPyramid.Rebuild(m_exact);
    else
      m_tenthsPyramid.Rebuild(m_tenths);
  }
  m_bBulk = false;
}

std::size_t CSampleStore::Emplace(double dValue, std::string_view strTime, std::string_view strUnit,
                                  int nGroup, double dSampleRate) {
  return EmplaceRead(dValue, strTime, ParseTimeText(strTime), strUnit, nGroup, dSampleRate);
}

std::size_t CSampleStore::EmplaceRead(double dValue, std::string_view strTime,
                                      const std::optional<ParsedTimeText> &p, std::string_view strUnit,
                                      int nGroup, double dSampleRate) {
  if (p)
    return Push(dValue, p->t, p->style, p->bEitherStyle, strUnit, nGroup, dSampleRate);
  m_texts.emplace_back(GetSize(), std::string(strTime));
  return Push(dValue, kTextTime, TimeStyle::PaddedHour, true, strUnit, nGroup, dSampleRate);
}

std::size_t CSampleStore::AppendAt(double dValue, CivilSeconds t, TimeStyle style, std::string_view strUnit,
                                   int nGroup, double dSampleRate) {
  return Push(dValue, t, style, false, strUnit, nGroup, dSampleRate);
}

void CSampleStore::Reserve(std::size_t n) {
  if (m_bExact)
    m_exact.reserve(n);
  else
    m_tenths.reserve(n);
}

void CSampleStore::ShrinkToFit() {
  m_tenths.shrink_to_fit();
  m_exact.shrink_to_fit();
  m_timeRuns.shrink_to_fit();
  m_runs.shrink_to_fit();
  m_texts.shrink_to_fit();
}

void CSampleStore::RemoveAll() {
  // the room goes too: an emptied store holds nothing
  std::vector<std::int16_t>().swap(m_tenths);
  std::vector<double>().swap(m_exact);
  std::vector<TimeRun>().swap(m_timeRuns);
  std::vector<Run>().swap(m_runs);
  m_nLastUnitKey = 0;
  std::vector<std::pair<std::size_t, std::string>>().swap(m_texts);
  m_units.clear();
  m_tenthsPyramid.Clear();
  m_exactPyramid.Clear();
  m_bExact = false;
  m_bBulk = false;
  ++m_revision.n;
}

std::size_t CSampleStore::MemoryBytes() const {
  std::size_t n = sizeof(*this) + m_tenths.capacity() * sizeof(std::int16_t) +
                  m_exact.capacity() * sizeof(double) + m_timeRuns.capacity() * sizeof(TimeRun) +
                  m_runs.capacity() * sizeof(Run) + m_units.capacity() * sizeof(std::string) +
                  m_texts.capacity() * sizeof(m_texts[0]) + m_tenthsPyramid.Bytes() + m_exactPyramid.Bytes();
  for (const std::string &u : m_units)
    n += u.capacity() > 15 ? u.capacity() + 1 : 0;
  for (const auto &t : m_texts)
    n += t.second.capacity() > 15 ? t.second.capacity() + 1 : 0;
  return n;
}

std::vector<CSampleStore::GroupRun> CSampleStore::GroupRuns() const {
  std::vector<GroupRun> out;
  for (std::size_t r = 0; r < m_runs.size(); ++r) {
    const std::size_t end = r + 1 < m_runs.size() ? m_runs[r + 1].nFirst : GetSize();
    if (!out.empty() && out.back().nGroup == m_runs[r].nGroup)
      out.back().nCount += end - m_runs[r].nFirst;
    else
      out.push_back({m_runs[r].nFirst, end - m_runs[r].nFirst, m_runs[r].nGroup});
  }
  return out;
}
