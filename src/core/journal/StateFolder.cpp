#include "journal/StateFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

std::string Reason(const char *what, int nErr) {
  return std::string(what) + ": " + std::strerror(nErr);
}

// The owner and mode checks shared by the folder and its files: `nMode` is
// what the object must have; more is taken away, another owner refused.
CFileResult CheckOwnerAndMode(int fd, const std::string &strPath, bool bFolder, mode_t nMode) {
  struct stat st {};
  if (::fstat(fd, &st) != 0)
    return CFileResult::Failure(strPath, Reason("cannot check it", errno));
  if (bFolder ? !S_ISDIR(st.st_mode) : !S_ISREG(st.st_mode))
    return CFileResult::Failure(strPath, bFolder ? "not a folder" : "not a regular file");
  if (st.st_uid != ::geteuid())
    return CFileResult::Failure(strPath, "owned by another user (uid " + std::to_string(st.st_uid) + ")");
  if ((st.st_mode & 07777) != nMode && ::fchmod(fd, nMode) != 0)
    return CFileResult::Failure(strPath, Reason("open to other users and cannot be made private", errno));
  return CFileResult::Success(strPath);
}

} // namespace

std::string DefaultStateFolder() {
  const char *state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/')
    return std::string(state) + "/tarvik";
  const char *home = std::getenv("HOME");
  if (home && home[0] == '/')
    return std::string(home) + "/.local/state/tarvik";
  return {};
}

CStateFolder::CStateFolder(CStateFolder &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_strPath(std::move(other.m_strPath)) {}

CStateFolder &CStateFolder::operator=(CStateFolder &&other) noexcept {
  if (this != &other) {
    if (m_fd >= 0)
      ::close(m_fd);
    m_fd = std::exchange(other.m_fd, -1);
    m_strPath = std::move(other.m_strPath);
  }
  return *this;
}

CStateFolder::~CStateFolder() {
  if (m_fd >= 0)
    ::close(m_fd);
}

CStateFolder CStateFolder::Duplicate() const {
  CStateFolder f;
  f.m_strPath = m_strPath;
  if (m_fd >= 0)
    f.m_fd = ::fcntl(m_fd, F_DUPFD_CLOEXEC, 0);
  return f;
}

CStateFolder CStateFolder::Open(const std::string &strPath, Mode mode, CFileResult &result) {
  if (strPath.empty()) {
    result = CFileResult::Failure(strPath, "no state folder (neither XDG_STATE_HOME nor HOME is set)");
    return {};
  }
  if (mode == Mode::Create) {
    // The parents are the user's own layout (a linked ~/.local is fine);
    // only the last part is ours and must not be a link.
    for (std::size_t nPos = 1; nPos <= strPath.size(); ++nPos) {
      if (nPos < strPath.size() && strPath[nPos] != '/')
        continue;
      const std::string strPart = strPath.substr(0, nPos);
      if (::mkdir(strPart.c_str(), 0700) != 0 && errno != EEXIST) {
        result = CFileResult::Failure(strPart, Reason("cannot create the folder", errno));
        return {};
      }
    }
  }
  CStateFolder f;
  f.m_strPath = strPath;
  f.m_fd = ::open(strPath.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (f.m_fd < 0) {
    const int nErr = errno;
    if (nErr == ENOENT && mode == Mode::Existing) {
      result = CFileResult::Success(strPath);
      return {};
    }
    struct stat st {};
    if (::lstat(strPath.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
      result =
          CFileResult::Failure(strPath, "a symbolic link stands in place of the folder; it is not followed");
    else
      result = CFileResult::Failure(strPath, Reason("cannot open the folder", nErr));
    return {};
  }
  result = CheckOwnerAndMode(f.m_fd, strPath, true, 0700);
  if (!result.Ok())
    return {};
  return f;
}

CFileResult CStateFolder::Rename(const std::string &strFrom, const std::string &strTo) const {
  if (::renameat(m_fd, strFrom.c_str(), m_fd, strTo.c_str()) != 0)
    return CFileResult::Failure(PathOf(strFrom), Reason("cannot rename it", errno));
  return CFileResult::Success(PathOf(strTo));
}

CFileResult CStateFolder::Remove(const std::string &strName) const {
  if (::unlinkat(m_fd, strName.c_str(), 0) != 0 && errno != ENOENT)
    return CFileResult::Failure(PathOf(strName), Reason("cannot delete it", errno));
  return CFileResult::Success(PathOf(strName));
}

void CStateFolder::Sync() const {
  if (m_fd >= 0)
    ::fsync(m_fd);
}

CFileResult CheckPrivateFile(int fd, const std::string &strPath) {
  return CheckOwnerAndMode(fd, strPath, false, 0600);
}
