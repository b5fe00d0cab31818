#include "records/SampleStore.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <stdexcept>

namespace {
bool SameRate(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}
} // namespace

const CSampleStore::Run &CSampleStore::RunOf(std::size_t i) const {
  auto it = std::upper_bound(m_runs.begin(), m_runs.end(), i,
                             [](std::size_t idx, const Run &r) { return idx < r.nFirst; });
  return *(it - 1);
}

CObjData CSampleStore::GetAt(std::size_t i) const {
  if (i >= GetSize())
    throw std::out_of_range("sample index past the store");
  const Run &r = RunOf(i);
  return {m_levels[i], Time(i), m_units[r.nUnit], r.nGroup, r.dRate};
}

void CSampleStore::AppendTime(std::string &out, std::size_t i) const {
  const CivilSeconds t = m_times[i];
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
  if (m_times[i] == kTextTime)
    return std::nullopt;
  return m_times[i];
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

std::size_t CSampleStore::Push(double dValue, CivilSeconds t, TimeStyle style, bool bEitherStyle,
                               std::string_view strUnit, int nGroup, double dSampleRate) {
  const std::uint32_t nUnit = UnitIndex(strUnit);
  const std::size_t i = m_levels.size();
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
  }
  Grow(m_levels);
  Grow(m_times);
  m_levels.push_back(dValue);
  m_times.push_back(t);
  if (!m_bBulk)
    m_pyramid.Append(m_levels);
  return i;
}

void CSampleStore::EndBulkAppend() {
  if (m_bBulk)
    m_pyramid.Rebuild(m_levels);
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
  m_texts.emplace_back(m_levels.size(), std::string(strTime));
  return Push(dValue, kTextTime, TimeStyle::PaddedHour, true, strUnit, nGroup, dSampleRate);
}

std::size_t CSampleStore::AppendAt(double dValue, CivilSeconds t, TimeStyle style, std::string_view strUnit,
                                   int nGroup, double dSampleRate) {
  return Push(dValue, t, style, false, strUnit, nGroup, dSampleRate);
}

void CSampleStore::Reserve(std::size_t n) {
  m_levels.reserve(n);
  m_times.reserve(n);
}

void CSampleStore::ShrinkToFit() {
  m_levels.shrink_to_fit();
  m_times.shrink_to_fit();
  m_runs.shrink_to_fit();
  m_texts.shrink_to_fit();
}

void CSampleStore::RemoveAll() {
  // the room goes too: an emptied store holds nothing
  std::vector<double>().swap(m_levels);
  std::vector<CivilSeconds>().swap(m_times);
  std::vector<Run>().swap(m_runs);
  std::vector<std::pair<std::size_t, std::string>>().swap(m_texts);
  m_units.clear();
  m_pyramid.Clear();
  m_bBulk = false;
  ++m_revision.n;
}

std::size_t CSampleStore::MemoryBytes() const {
  std::size_t n = sizeof(*this) + m_levels.capacity() * sizeof(double) +
                  m_times.capacity() * sizeof(CivilSeconds) + m_runs.capacity() * sizeof(Run) +
                  m_units.capacity() * sizeof(std::string) + m_texts.capacity() * sizeof(m_texts[0]) +
                  m_pyramid.Bytes();
  for (const std::string &u : m_units)
    n += u.capacity() > 15 ? u.capacity() + 1 : 0;
  for (const auto &t : m_texts)
    n += t.second.capacity() > 15 ? t.second.capacity() + 1 : 0;
  return n;
}

std::vector<CSampleStore::GroupRun> CSampleStore::GroupRuns() const {
  std::vector<GroupRun> out;
  for (std::size_t r = 0; r < m_runs.size(); ++r) {
    const std::size_t end = r + 1 < m_runs.size() ? m_runs[r + 1].nFirst : m_levels.size();
    if (!out.empty() && out.back().nGroup == m_runs[r].nGroup)
      out.back().nCount += end - m_runs[r].nFirst;
    else
      out.push_back({m_runs[r].nFirst, end - m_runs[r].nFirst, m_runs[r].nGroup});
  }
  return out;
}
