#pragma once

#include "files/FileResult.h"

#include <string>

// The folder for the program's state (the run journal):
// $XDG_STATE_HOME/tarvik, or ~/.local/state/tarvik when that is unset or
// not absolute. Empty when neither variable gives a folder.
std::string DefaultStateFolder();

// The state folder, open. Its files are reached through this descriptor
// (openat, renameat, unlinkat), so a symlink planted in its place or in
// place of a journal cannot send the user's measurements elsewhere.
class CStateFolder {
public:
  enum class Mode { Create, Existing };

  CStateFolder() = default;
  CStateFolder(CStateFolder &&other) noexcept;
  CStateFolder &operator=(CStateFolder &&other) noexcept;
  CStateFolder(const CStateFolder &) = delete;
  CStateFolder &operator=(const CStateFolder &) = delete;
  ~CStateFolder();

  // Opens `strPath` without following a symlink in its place. It must be a
  // folder owned by this user; a mode open to others is cut to 0700.
  // Create makes it and any missing parents with mode 0700; Existing
  // gives a closed folder and success when there is none.
  static CStateFolder Open(const std::string &strPath, Mode mode, CFileResult &result);

  bool IsOpen() const { return m_fd >= 0; }
  int Descriptor() const { return m_fd; }
  const std::string &Path() const { return m_strPath; }
  std::string PathOf(const std::string &strName) const { return m_strPath + "/" + strName; }
  // Another handle on the same folder (a duplicate descriptor).
  CStateFolder Duplicate() const;
  // Entries by name, never followed if they are links.
  CFileResult Rename(const std::string &strFrom, const std::string &strTo) const;
  CFileResult Remove(const std::string &strName) const;
  // Makes new and renamed entries survive a power cut.
  void Sync() const;

private:
  int m_fd = -1;
  std::string m_strPath;
};

// Whether the open file `fd` (named `strPath` in a failure) may hold the
// user's measurements: a regular file owned by this user. A mode open to
// others is cut to 0600.
CFileResult CheckPrivateFile(int fd, const std::string &strPath);
