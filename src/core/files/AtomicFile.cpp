#include "files/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace {
constexpr std::size_t kBufferSize = 1 << 20;

std::string ErrorText(int nErr) {
  return std::error_code(nErr, std::generic_category()).message();
}

// A name in the target's folder that no one else uses: the rename must not
// cross file systems.
std::string TempNameBeside(const std::filesystem::path &target, unsigned nRandom) {
  std::filesystem::path p = target;
  std::string name = ".";
  (name += target.filename().string()) += ".tmp";
  p.replace_filename(name + std::to_string(nRandom));
  return p.string();
}
} // namespace

CAtomicFile::~CAtomicFile() {
  Discard();
}

CFileResult CAtomicFile::Open(const std::string &strPath) {
  Discard();
  m_error = CFileResult::Success(strPath);
  namespace fs = std::filesystem;
  fs::path target(strPath);
  if (target.filename().empty())
    return m_error = CFileResult::Failure(strPath, "The name is a folder, not a file");
  // A symbolic link keeps pointing at the file it named.
  std::error_code ec;
  if (fs::is_symlink(target, ec)) {
    fs::path real = fs::canonical(target, ec);
    if (!ec)
      target = real;
  }
  struct stat st {};
  bool bExists = ::stat(target.c_str(), &st) == 0;
  if (bExists && S_ISDIR(st.st_mode))
    return m_error = CFileResult::Failure(strPath, "The name is a folder, not a file");
  // The rename could replace a file its owner made read-only; refuse as
  // writing into it would.
  if (bExists && ::access(target.c_str(), W_OK) != 0)
    return m_error = CFileResult::Failure(strPath, ErrorText(errno));

  std::random_device rd;
  for (int nTry = 0; nTry < 16; ++nTry) {
    std::string temp = TempNameBeside(target, rd());
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      m_fd = fd;
      m_strTemp = temp;
      m_strTarget = target.string();
      if (bExists)
        ::fchmod(fd, st.st_mode & 07777); // a replaced file keeps its permissions
      m_buffer.reserve(kBufferSize);
      return m_error;
    }
    if (errno != EEXIST)
      return m_error = CFileResult::Failure(strPath, ErrorText(errno));
  }
  return m_error = CFileResult::Failure(strPath, ErrorText(EEXIST));
}

bool CAtomicFile::Fail(int nErr) {
  m_error = CFileResult::Failure(m_error.strPath, ErrorText(nErr));
  Discard();
  return false;
}

bool CAtomicFile::Flush() {
  std::size_t done = 0;
  while (done < m_buffer.size()) {
    ssize_t n = ::write(m_fd, m_buffer.data() + done, m_buffer.size() - done);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return Fail(errno);
    }
    done += static_cast<std::size_t>(n);
  }
  m_buffer.clear();
  return true;
}

bool CAtomicFile::Append(std::string_view bytes) {
  if (m_fd < 0)
    return false;
  m_buffer.append(bytes);
  return m_buffer.size() < kBufferSize || Flush();
}

CFileResult CAtomicFile::Commit() {
  if (m_fd < 0)
    return m_error.Ok() ? CFileResult::Failure(m_error.strPath, "The file was not open") : m_error;
  if (!Flush())
    return m_error;
  if (::fsync(m_fd) != 0 && errno != EINVAL) {
    Fail(errno);
    return m_error;
  }
  int fd = std::exchange(m_fd, -1);
  int nErr = ::close(fd) != 0 ? errno : 0;
  if (nErr == 0 && ::rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0)
    nErr = errno;
  if (nErr != 0) {
    ::unlink(m_strTemp.c_str());
    m_strTemp.clear();
    return m_error = CFileResult::Failure(m_error.strPath, ErrorText(nErr));
  }
  m_strTemp.clear();
  // The new name itself must reach the disk too.
  std::filesystem::path folder = std::filesystem::path(m_strTarget).parent_path();
  int dirFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return m_error;
}

void CAtomicFile::Discard() {
  if (m_fd >= 0) {
    ::close(m_fd);
    m_fd = -1;
  }
  if (!m_strTemp.empty()) {
    ::unlink(m_strTemp.c_str());
    m_strTemp.clear();
  }
  m_buffer.clear();
}

CFileResult WriteFileAtomically(const std::string &strPath, std::string_view bytes) {
  CAtomicFile f;
  CFileResult r = f.Open(strPath);
  if (!r.Ok())
    return r;
  if (!f.Append(bytes))
    return f.Error();
  return f.Commit();
}
