#include "journal/JournalFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

bool WriteAllAt(int fd, std::string_view bytes, off_t nAt, int &nErr) {
  while (!bytes.empty()) {
    const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), nAt);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      nErr = errno;
      return false;
    }
    if (n == 0) {
      nErr = ENOSPC;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
    nAt += n;
  }
  return true;
}

} // namespace

CJournalFile::CJournalFile(CJournalFile &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_folder(std::move(other.m_folder)),
      m_strName(std::move(other.m_strName)), m_strPath(std::move(other.m_strPath)),
      m_nSize(std::exchange(other.m_nSize, 0)) {}

CJournalFile &CJournalFile::operator=(CJournalFile &&other) noexcept {
  if (this != &other) {
    Close();
    m_fd = std::exchange(other.m_fd, -1);
    m_folder = std::move(other.m_folder);
    m_strName = std::move(other.m_strName);
    m_strPath = std::move(other.m_strPath);
    m_nSize = std::exchange(other.m_nSize, 0);
  }
  return *this;
}

CJournalFile::~CJournalFile() {
  Close();
}

void CJournalFile::Close() {
  if (m_fd >= 0)
    ::close(m_fd);
  m_fd = -1;
}

CFileResult CJournalFile::Failure(const char *what, int nErr) const {
  return CFileResult::Failure(m_strPath, std::string(what) + ": " + std::strerror(nErr));
}

CJournalFile CJournalFile::Create(const CStateFolder &folder, std::string_view firstBytes,
                                  CFileResult &result) {
  CJournalFile f;
  const int dir = folder.Descriptor();
  const std::string strBase = "run-" + std::to_string(::getpid()) + "-";
  for (int nTry = 0; nTry < 1000 && !f.IsOpen(); ++nTry) {
    const std::string strFinal = strBase + std::to_string(nTry) + std::string(kSuffix);
    struct stat st {};
    if (::fstatat(dir, strFinal.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
      continue; // left by an earlier process with our number
    const std::string strTemp = ".new-" + std::to_string(::getpid()) + "-" + std::to_string(nTry);
    const int fd = ::openat(dir, strTemp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == EEXIST)
        continue;
      f.m_strPath = folder.PathOf(strTemp);
      result = f.Failure("cannot create the journal", errno);
      return CJournalFile();
    }
    f.m_fd = fd;
    f.m_folder = folder.Duplicate();
    f.m_strName = strTemp;
    f.m_strPath = folder.PathOf(strTemp);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno != ENOLCK && errno != EOPNOTSUPP && errno != EINVAL) {
      result = f.Failure("cannot lock the journal", errno);
      folder.Remove(strTemp);
      return CJournalFile();
    }
    result = f.Rewrite(firstBytes);
    if (result.Ok())
      result = f.Sync();
    if (result.Ok())
      result = folder.Rename(strTemp, strFinal);
    if (!result.Ok()) {
      folder.Remove(strTemp);
      return CJournalFile();
    }
    f.m_strName = strFinal;
    f.m_strPath = folder.PathOf(strFinal);
  }
  if (!f.IsOpen()) {
    result = CFileResult::Failure(folder.PathOf(strBase), "no free journal name");
    return f;
  }
  folder.Sync();
  result = CFileResult::Success(f.m_strPath);
  return f;
}

CJournalFile CJournalFile::OpenExisting(const CStateFolder &folder, const std::string &strName, Lock &lock,
                                        CFileResult &result) {
  CJournalFile f;
  f.m_strPath = folder.PathOf(strName);
  lock = Lock::Failed;
  // Non-blocking, so a fifo planted under a journal's name cannot hold up
  // the start; it is refused as not a regular file.
  const int fd =
      ::openat(folder.Descriptor(), strName.c_str(), O_RDWR | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ELOOP || errno == ENXIO) {
      lock = Lock::Refused;
      result = CFileResult::Failure(f.m_strPath, "a symbolic link or a device, not followed");
    } else {
      result = f.Failure("cannot open the journal", errno);
    }
    return CJournalFile();
  }
  f.m_fd = fd;
  result = CheckPrivateFile(fd, f.m_strPath);
  if (!result.Ok()) {
    lock = Lock::Refused;
    return CJournalFile();
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
    lock = Lock::Taken;
  } else if (errno == EWOULDBLOCK) {
    lock = Lock::HeldElsewhere;
    return CJournalFile();
  } else {
    lock = Lock::Unsupported;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    lock = Lock::Failed;
    result = f.Failure("cannot read the journal", errno);
    return CJournalFile();
  }
  f.m_folder = folder.Duplicate();
  f.m_strName = strName;
  f.m_nSize = static_cast<std::size_t>(st.st_size);
  result = CFileResult::Success(f.m_strPath);
  return f;
}

CFileResult CJournalFile::Append(std::string_view bytes) {
  int nErr = 0;
  if (!WriteAllAt(m_fd, bytes, static_cast<off_t>(m_nSize), nErr)) {
    // No torn record of ours stays behind a failed write (a full disk).
    [[maybe_unused]] const int nCut = ::ftruncate(m_fd, static_cast<off_t>(m_nSize));
    return Failure("cannot write the journal", nErr);
  }
  m_nSize += bytes.size();
  return CFileResult::Success(m_strPath);
}

CFileResult CJournalFile::Rewrite(std::string_view bytes) {
  if (::ftruncate(m_fd, 0) != 0)
    return Failure("cannot empty the journal", errno);
  m_nSize = 0;
  return Append(bytes);
}

CFileResult CJournalFile::TruncateTo(std::size_t nSize) {
  if (::ftruncate(m_fd, static_cast<off_t>(nSize)) != 0)
    return Failure("cannot cut the journal", errno);
  m_nSize = nSize;
  return CFileResult::Success(m_strPath);
}

CFileResult CJournalFile::Sync() {
  if (::fdatasync(m_fd) != 0)
    return Failure(kSyncFailed, errno);
  return CFileResult::Success(m_strPath);
}

CFileResult CJournalFile::ReadAll(std::string &out) const {
  out.resize(m_nSize);
  std::size_t nDone = 0;
  while (nDone < out.size()) {
    const ssize_t n = ::pread(m_fd, out.data() + nDone, out.size() - nDone, static_cast<off_t>(nDone));
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return Failure("cannot read the journal", errno);
    }
    if (n == 0)
      break; // shorter than it was: read what is there
    nDone += static_cast<std::size_t>(n);
  }
  out.resize(nDone);
  return CFileResult::Success(m_strPath);
}

CFileResult CJournalFile::Remove() {
  CFileResult r = CFileResult::Success(m_strPath);
  if (m_folder.IsOpen())
    r = m_folder.Remove(m_strName);
  Close();
  return r;
}
