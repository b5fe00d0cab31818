#pragma once

#include "files/FileResult.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One text data file that grows by appending, for logging that runs for
// days: every sample line reaches the file with its own write, so a killed
// process loses nothing it had written, and the data reach the disk within
// kSyncEvery, so a power cut loses at most that much. The file is locked
// while open, so a second logger cannot interleave its lines.
class CAppendingDataFile {
public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kSyncEvery{1000};
  static constexpr int kMaxSuffix = 999;

  CAppendingDataFile() = default;
  CAppendingDataFile(const CAppendingDataFile &) = delete;
  CAppendingDataFile &operator=(const CAppendingDataFile &) = delete;
  ~CAppendingDataFile() { Close(); }

  // Opens `strPath` for samples at `dRate` (creating missing folders): a
  // missing file is created with
  // the header; an existing one is appended to when its header carries the
  // same rate (a line cut short by a crash is completed or removed first).
  // Otherwise, or when another logger holds it, "NAME-1.ext", "NAME-2.ext",
  // ... are tried. The result's strPath is the file actually used.
  CFileResult Open(const std::string &strPath, double dRate);
  // Writes one line (CR LF added) whole or not at all: a failed write is
  // cut back off the file. False with the reason in LastError().
  bool AppendLine(std::string_view line);
  // fdatasync when data written since the last one are kSyncEvery old.
  void SyncIfDue(Clock::time_point now);
  // When SyncIfDue must run next, if anything waits for the disk.
  std::optional<Clock::time_point> SyncDeadline() const;
  // Syncs and closes; false (with the reason) when the last data may not
  // have reached the disk.
  bool Close();

  bool IsOpen() const { return m_fd >= 0; }
  // False when the file was moved away or deleted while open (rotated by
  // hand or by a tool): what is written then would be lost from sight.
  bool StillAtPath() const;
  const std::string &Path() const { return m_strPath; }
  const CFileResult &LastError() const { return m_error; }
  std::uint64_t Syncs() const { return m_nSyncs; }

  // "NAME-n.ext" for "NAME.ext" (the extension of the last path part).
  static std::string SuffixedName(const std::string &strPath, int n);

private:
  enum class ETry { Opened, Taken, Failed };
  ETry TryOpen(const std::string &strPath, double dRate);
  ETry AdoptExisting(int fd, const std::string &strPath, double dRate);
  bool WriteAll(std::string_view bytes);
  bool Fail(const std::string &strPath, int nErr);

  int m_fd = -1;
  std::string m_strPath;
  std::uint64_t m_nSize = 0; // bytes in the file, all lines complete
  bool m_bDirty = false;
  Clock::time_point m_firstUnsynced{};
  std::uint64_t m_nSyncs = 0;
  CFileResult m_error;
};
