#include "logger/RollingDataLog.h"

#include "files/TextDataFile.h"
#include "logger/LocalTimeCache.h"

namespace {
bool SameSecond(const std::tm &a, const std::tm &b) {
  return a.tm_sec == b.tm_sec && a.tm_min == b.tm_min && a.tm_hour == b.tm_hour && a.tm_mday == b.tm_mday &&
         a.tm_mon == b.tm_mon && a.tm_year == b.tm_year;
}
} // namespace

CFileResult CRollingDataLog::OpenFor(const std::tm &now) {
  // The name is the same for the whole second: expand it once per second.
  if (m_file.IsOpen() && m_bExpanded && SameSecond(now, m_tmExpanded))
    return CFileResult::Success(m_file.Path());
  std::string name = ExpandOutputPattern(m_strPattern, now);
  m_tmExpanded = now;
  m_bExpanded = true;
  // Once a second, too, a file moved away or deleted is begun again.
  if (m_file.IsOpen() && !m_file.StillAtPath())
    m_strName.clear();
  if (name.empty()) {
    m_error = CFileResult::Failure(m_strPattern, "the file name pattern gives an empty name");
    return m_error;
  }
  if (name == m_strName && m_file.IsOpen())
    return CFileResult::Success(m_file.Path());
  if (m_file.IsOpen() && !m_file.Close())
    m_error = m_file.LastError(); // the old file's end may be lost; the new one still begins
  CFileResult res = m_file.Open(name, m_dRate);
  if (!res.Ok()) {
    m_error = res;
    m_strName.clear();
    return res;
  }
  m_strName = name;
  ++m_nFilesOpened;
  return res;
}

bool CRollingDataLog::Append(const CObjData &rec, const std::tm &when) {
  if (!OpenFor(when).Ok())
    return false;
  m_line.clear();
  AppendTextDataLine(m_line, rec);
  if (!m_file.AppendLine(m_line)) {
    m_error = m_file.LastError();
    return false;
  }
  return true;
}
