#pragma once

#include "files/FileResult.h"
#include "journal/StateFolder.h"

#include <cstddef>
#include <string>
#include <string_view>

// One journal file, open and locked by this process for as long as the
// object holds it. The lock (flock, released by the system when the process
// dies however it dies) is what tells a live instance's journal from one
// left behind. Appends that fail are undone, so the file never holds half a
// record of ours.
class CJournalFile {
public:
  static constexpr std::string_view kSuffix = ".journal";
  static constexpr const char *kSyncFailed = "cannot flush the journal to disk";

  CJournalFile() = default;
  CJournalFile(CJournalFile &&other) noexcept;
  CJournalFile &operator=(CJournalFile &&other) noexcept;
  CJournalFile(const CJournalFile &) = delete;
  CJournalFile &operator=(const CJournalFile &) = delete;
  ~CJournalFile(); // closes and unlocks; the file stays

  // A new journal in `folder` holding `firstBytes`, on the disk and under
  // its final name before this returns. Other instances never see it
  // unlocked or empty: it is written under a hidden name first.
  static CJournalFile Create(const CStateFolder &folder, std::string_view firstBytes, CFileResult &result);

  // Refused: not a private file of ours (a link, a fifo, another user's).
  enum class Lock { Taken, HeldElsewhere, Unsupported, Refused, Failed };
  // Opens the journal `strName` in `folder` and tries to lock it without
  // waiting. Unsupported: the file system has no locks; the file is open
  // anyway.
  static CJournalFile OpenExisting(const CStateFolder &folder, const std::string &strName, Lock &lock,
                                   CFileResult &result);

  bool IsOpen() const { return m_fd >= 0; }
  int Descriptor() const { return m_fd; }
  const std::string &Path() const { return m_strPath; }
  const std::string &Name() const { return m_strName; }
  std::size_t Size() const { return m_nSize; }

  CFileResult Append(std::string_view bytes);
  // Replaces the whole content (a restarted run).
  CFileResult Rewrite(std::string_view bytes);
  // Cuts a damaged tail off.
  CFileResult TruncateTo(std::size_t nSize);
  CFileResult Sync();
  CFileResult ReadAll(std::string &out) const;
  // Deletes the file, then lets it go.
  CFileResult Remove();
  void Close();

private:
  CFileResult Failure(const char *what, int nErr) const;

  int m_fd = -1;
  CStateFolder m_folder; // its own handle, for removing the file
  std::string m_strName;
  std::string m_strPath;
  std::size_t m_nSize = 0;
};
