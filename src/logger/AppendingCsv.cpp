#include "logger/AppendingCsv.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Closes the descriptor however the append ends.
class CFd {
public:
  explicit CFd(int fd) : m_fd(fd) {}
  CFd(const CFd &) = delete;
  CFd &operator=(const CFd &) = delete;
  ~CFd() {
    if (m_fd >= 0)
      ::close(m_fd);
  }
  int Get() const { return m_fd; }

private:
  int m_fd;
};

std::string ErrnoText(int nErr) {
  return std::error_code(nErr, std::generic_category()).message();
}

bool WriteAll(int fd, std::string_view s) {
  while (!s.empty()) {
    const ssize_t n = ::write(fd, s.data(), s.size());
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      if (n == 0)
        errno = ENOSPC;
      return false;
    }
    s.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool ReadAt(int fd, off_t off, std::size_t n, std::string &out) {
  out.assign(n, '\0');
  const ssize_t r = ::pread(fd, out.data(), n, off);
  if (r < 0)
    return false;
  out.resize(static_cast<std::size_t>(r));
  return true;
}

} // namespace

CFileResult AppendCsvLine(const std::string &strPath, std::string_view header, std::string_view line) {
  const auto fail = [&](int nErr) { return CFileResult::Failure(strPath, ErrnoText(nErr)); };
  CFd fd(::open(strPath.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666));
  if (fd.Get() < 0)
    return fail(errno);
  // A second logger on the same files waits for this line to be whole.
  if (::flock(fd.Get(), LOCK_EX) != 0)
    return fail(errno);
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0)
    return fail(errno);
  off_t nSize = st.st_size;
  std::string text;
  if (nSize > 0) {
    // Back to the end of the last whole line (a header cut short goes too).
    off_t nEnd = nSize;
    while (nEnd > 0) {
      const off_t nFrom = nEnd > 512 ? nEnd - 512 : 0;
      if (!ReadAt(fd.Get(), nFrom, static_cast<std::size_t>(nEnd - nFrom), text))
        return fail(errno);
      const std::size_t nl = text.rfind('\n');
      if (nl != std::string::npos) {
        nEnd = nFrom + static_cast<off_t>(nl) + 1;
        break;
      }
      nEnd = nFrom;
    }
    if (nEnd > 0) {
      if (!ReadAt(fd.Get(), 0, header.size() + 1, text))
        return fail(errno);
      if (text.substr(0, header.size()) != header || (text.back() != '\r' && text.back() != '\n'))
        return CFileResult::Failure(strPath, "it holds other columns than " + std::string(header));
    }
    if (nEnd != nSize && ::ftruncate(fd.Get(), nEnd) != 0)
      return fail(errno);
    nSize = nEnd;
  }
  std::string out;
  if (nSize == 0) {
    out = header;
    out += kLineEnd;
  }
  out += line;
  if (!WriteAll(fd.Get(), out)) {
    const int nErr = errno;
    (void)!::ftruncate(fd.Get(), nSize); // whole lines or nothing
    return fail(nErr);
  }
  if (::fdatasync(fd.Get()) != 0)
    return fail(errno);
  return CFileResult::Success(strPath);
}

std::string CompanionCsvPath(const std::string &strDataPath, std::string_view what) {
  const std::size_t slash = strDataPath.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::size_t dot = strDataPath.rfind('.');
  if (dot == std::string::npos || dot <= nameStart)
    dot = strDataPath.size();
  return strDataPath.substr(0, dot) + "-" + std::string(what) + ".csv";
}
