#pragma once

#include "files/FileResult.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// fdatasync of a file on a thread of its own, one at a time, so the
// caller's thread (the window's) never waits for a slow disk. The file is
// synced through a duplicate of its descriptor: closing, rewriting or
// removing it meanwhile is harmless.
class CBackgroundSync {
public:
  using SyncFn = std::function<int(int)>; // fdatasync, or a stand-in in tests

  explicit CBackgroundSync(SyncFn sync);
  ~CBackgroundSync(); // waits for a sync still going
  CBackgroundSync(const CBackgroundSync &) = delete;
  CBackgroundSync &operator=(const CBackgroundSync &) = delete;

  // Starts syncing `fd` (named `strPath` in a failure) unless a sync is
  // still going: false then, and the caller tries again later.
  bool Start(int fd, const std::string &strPath);
  // The result of the last sync that ended, once; nothing while one is
  // going or when none ended since the last call.
  std::optional<CFileResult> TakeResult();
  // Waits until no sync is going.
  void Wait();

private:
  void Run();

  SyncFn m_sync;
  std::mutex m_mutex;
  std::condition_variable m_cv;
  int m_fd = -1; // the duplicate being synced, -1 when none is asked for
  std::string m_strPath;
  bool m_bBusy = false;
  bool m_bStop = false;
  std::optional<CFileResult> m_result;
  std::thread m_thread; // last: started once the members above exist
};
