#pragma once

#include "files/ByteSink.h"
#include "files/FileResult.h"

#include <string>

// Writes a file so that the old one survives any failure: the bytes go to a
// new file beside the target, which replaces the target by rename only after
// every byte has reached the disk. Destroyed without Commit, the new file is
// removed and the target is untouched.
class CAtomicFile : public CByteSink {
public:
  CAtomicFile() = default;
  CAtomicFile(const CAtomicFile &) = delete;
  CAtomicFile &operator=(const CAtomicFile &) = delete;
  ~CAtomicFile() override;

  CFileResult Open(const std::string &strPath);
  bool Append(std::string_view bytes) override;
  CFileResult Commit();
  // Removes the new file; the target stays as it was.
  void Discard();

  // The new file's name, for a writer that wants a path rather than bytes:
  // it may write the file there, and Commit still syncs and renames it.
  const std::string &TempPath() const { return m_strTemp; }

  // Why the last Append or Open failed.
  const CFileResult &Error() const { return m_error; }

private:
  bool Flush();
  bool Fail(int nErr);

  std::string m_strTarget;
  std::string m_strTemp;
  int m_fd = -1;
  std::string m_buffer;
  CFileResult m_error;
};

// Writes `bytes` as the whole new content of `strPath`, the old file kept on any failure.
CFileResult WriteFileAtomically(const std::string &strPath, std::string_view bytes);
