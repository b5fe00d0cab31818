#pragma once

#include "logger/AppendingDataFile.h"

#include <ctime>
#include <string>

class CObjData;

// The logger's data files: the output pattern's strftime fields are filled
// with each sample's local time, and when the name changes (at midnight for
// the default pattern) the next file begins.
class CRollingDataLog {
public:
  CRollingDataLog(std::string strPattern, double dRate)
      : m_strPattern(std::move(strPattern)), m_dRate(dRate) {}

  // Opens the file for local time `now` (so an unwritable output is found
  // before any sample). Failure carries the file and the reason.
  CFileResult OpenFor(const std::tm &now);
  // Appends one sample taken at local time `when`, beginning the next file
  // first when the name has changed. False with the reason in LastError().
  bool Append(const CObjData &rec, const std::tm &when);

  CAppendingDataFile &File() { return m_file; }
  const CAppendingDataFile &File() const { return m_file; }
  const std::string &Path() const { return m_file.Path(); }
  const CFileResult &LastError() const { return m_error; }
  int FilesOpened() const { return m_nFilesOpened; }

private:
  std::string m_strPattern;
  double m_dRate;
  std::string m_strName; // the pattern's expansion for the open file
  CAppendingDataFile m_file;
  CFileResult m_error;
  int m_nFilesOpened = 0;
  std::tm m_tmExpanded{};
  bool m_bExpanded = false;
  std::string m_line;
};
