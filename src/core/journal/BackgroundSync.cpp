#include "journal/BackgroundSync.h"

#include "journal/JournalFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

CBackgroundSync::CBackgroundSync(SyncFn sync) : m_sync(std::move(sync)), m_thread([this] { Run(); }) {}

CBackgroundSync::~CBackgroundSync() {
  {
    std::lock_guard lock(m_mutex);
    m_bStop = true;
  }
  m_cv.notify_all();
  m_thread.join();
}

bool CBackgroundSync::Start(int fd, const std::string &strPath) {
  std::lock_guard lock(m_mutex);
  if (m_bBusy)
    return false;
  const int nDup = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (nDup < 0) {
    m_result =
        CFileResult::Failure(strPath, std::string(CJournalFile::kSyncFailed) + ": " + std::strerror(errno));
    return true;
  }
  m_fd = nDup;
  m_strPath = strPath;
  m_bBusy = true;
  m_cv.notify_all();
  return true;
}

std::optional<CFileResult> CBackgroundSync::TakeResult() {
  std::lock_guard lock(m_mutex);
  std::optional<CFileResult> r;
  if (!m_bBusy)
    r.swap(m_result);
  return r;
}

void CBackgroundSync::Wait() {
  std::unique_lock lock(m_mutex);
  m_cv.wait(lock, [this] { return !m_bBusy; });
}

void CBackgroundSync::Run() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_cv.wait(lock, [this] { return m_bStop || m_fd >= 0; });
    if (m_fd < 0)
      return; // stopping with nothing asked for
    const int fd = m_fd;
    const std::string strPath = m_strPath;
    lock.unlock();
    const int nRc = m_sync(fd);
    const int nErr = errno;
    ::close(fd);
    lock.lock();
    m_result = nRc == 0 ? CFileResult::Success(strPath)
                        : CFileResult::Failure(strPath, std::string(CJournalFile::kSyncFailed) + ": " +
                                                            std::strerror(nErr));
    m_fd = -1;
    m_bBusy = false;
    m_cv.notify_all();
  }
}
