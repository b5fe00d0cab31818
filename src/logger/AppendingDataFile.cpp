#include "logger/AppendingDataFile.h"

#include "files/NumberText.h"
#include "files/TextDataFile.h"

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kHeadBytes = 256;
constexpr std::size_t kTailBytes = 512;

std::string ErrnoText(int nErr) {
  return std::error_code(nErr, std::generic_category()).message();
}

bool ReadAt(int fd, std::uint64_t off, std::size_t n, std::string &out) {
  out.assign(n, '\0');
  std::size_t got = 0;
  while (got < n) {
    ssize_t r = ::pread(fd, out.data() + got, n - got, static_cast<off_t>(off + got));
    if (r < 0 && errno == EINTR)
      continue;
    if (r < 0)
      return false;
    if (r == 0)
      break;
    got += static_cast<std::size_t>(r);
  }
  out.resize(got);
  return true;
}

// The rate a header line carries, as the reader takes it.
std::optional<double> HeaderRate(std::string_view head) {
  std::string_view line = head.substr(0, head.find('\n'));
  if (!line.empty() && line.back() == '\r')
    line.remove_suffix(1);
  if (!line.starts_with(DATA_FILE_HEADER))
    return std::nullopt;
  std::size_t colon = line.find(':');
  std::size_t semi = line.find(';');
  if (colon == std::string_view::npos || semi == std::string_view::npos || semi < colon)
    return std::nullopt;
  return LenientNumber(line.substr(colon + 1, semi - colon - 1));
}

// A last line without its line end is kept only when it is a whole sample:
// three fields and a unit at the end.
bool IsWholeSampleLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r')
    line.remove_suffix(1);
  std::size_t nCommas = 0;
  for (char c : line)
    nCommas += c == ',';
  return nCommas >= 3 && (line.ends_with(", dBA") || line.ends_with(", dBC"));
}

void SyncDirectoryOf(const std::string &strPath) {
  std::filesystem::path dir = std::filesystem::path(strPath).parent_path();
  int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

} // namespace

std::string CAppendingDataFile::SuffixedName(const std::string &strPath, int n) {
  std::size_t slash = strPath.rfind('/');
  std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::size_t dot = strPath.rfind('.');
  if (dot == std::string::npos || dot <= nameStart)
    dot = strPath.size();
  return strPath.substr(0, dot) + "-" + std::to_string(n) + strPath.substr(dot);
}

CFileResult CAppendingDataFile::Open(const std::string &strPath, double dRate) {
  Close();
  m_error = {};
  // A pattern may put each month or meter in a folder of its own.
  std::filesystem::path dir = std::filesystem::path(strPath).parent_path();
  std::error_code ec;
  if (!dir.empty() && !std::filesystem::is_directory(dir, ec) &&
      !std::filesystem::create_directories(dir, ec) && ec) {
    m_error = CFileResult::Failure(strPath, ec.message());
    return m_error;
  }
  for (int n = 0; n <= kMaxSuffix; ++n) {
    std::string path = n == 0 ? strPath : SuffixedName(strPath, n);
    switch (TryOpen(path, dRate)) {
    case ETry::Opened:
      m_strPath = path;
      return CFileResult::Success(path);
    case ETry::Failed:
      return m_error;
    case ETry::Taken:
      break;
    }
  }
  m_error = CFileResult::Failure(strPath, "no free name up to " + SuffixedName(strPath, kMaxSuffix));
  return m_error;
}

bool CAppendingDataFile::Fail(const std::string &strPath, int nErr) {
  m_error = CFileResult::Failure(strPath, ErrnoText(nErr));
  return false;
}

CAppendingDataFile::ETry CAppendingDataFile::TryOpen(const std::string &strPath, double dRate) {
  int fd = ::open(strPath.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | O_NOCTTY);
  bool bNew = false;
  if (fd < 0 && errno == ENOENT) {
    fd = ::open(strPath.c_str(), O_RDWR | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    bNew = fd >= 0;
    if (fd < 0 && errno == EEXIST)
      return TryOpen(strPath, dRate); // another process made it just now
  }
  if (fd < 0) {
    Fail(strPath, errno);
    return ETry::Failed;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    int nErr = errno;
    ::close(fd);
    Fail(strPath, nErr);
    return ETry::Failed;
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    return ETry::Taken; // a device or such of that name: not ours to write
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return ETry::Taken; // another logger writes it
  }
  m_fd = fd;
  m_strPath = strPath;
  m_nSize = static_cast<std::uint64_t>(st.st_size);
  ETry eTry = AdoptExisting(fd, strPath, dRate);
  if (eTry != ETry::Opened) {
    ::close(fd);
    m_fd = -1;
    return eTry;
  }
  if (bNew)
    SyncDirectoryOf(strPath);
  return ETry::Opened;
}

// Makes the file ready for the next sample line: writes the header into an
// empty file, and removes what a crash may have left half-written.
CAppendingDataFile::ETry CAppendingDataFile::AdoptExisting(int fd, const std::string &strPath, double dRate) {
  std::string header = TextDataHeader(dRate);
  auto fail = [&](int nErr) {
    Fail(strPath, nErr);
    return ETry::Failed;
  };
  std::string head;
  if (!ReadAt(fd, 0, kHeadBytes, head))
    return fail(errno);
  std::size_t firstEnd = head.find('\n');
  if (firstEnd == std::string::npos && m_nSize < kHeadBytes) {
    // Empty, or only a header cut short: start it afresh.
    if (!std::string_view(header).starts_with(head) && !(head == header || head == header + "\r"))
      return ETry::Taken;
    if (::ftruncate(fd, 0) != 0)
      return fail(errno);
    m_nSize = 0;
    std::string line = header;
    line += kLineEnd;
    return WriteAll(line) ? ETry::Opened : ETry::Failed;
  }
  if (firstEnd == std::string::npos)
    return ETry::Taken; // a first line this long is no header of ours
  auto rate = HeaderRate(head);
  std::string mine = header.substr(header.find(':') + 1);
  if (!rate || std::abs(*rate - LenientNumber(mine)) > 1e-9)
    return ETry::Taken;

  // The end of the file: a last line without its line end, and blank lines
  // at the end (the reader stops at a blank line, so nothing appended after
  // one would ever be read).
  std::uint64_t tailStart = m_nSize > kTailBytes ? m_nSize - kTailBytes : 0;
  std::string tail;
  if (!ReadAt(fd, tailStart, static_cast<std::size_t>(m_nSize - tailStart), tail))
    return fail(errno);
  std::size_t lastEnd = tail.rfind('\n');
  if (lastEnd == std::string::npos)
    return ETry::Taken; // one line longer than kTailBytes: not a sample file
  std::string_view rest = std::string_view(tail).substr(lastEnd + 1);
  std::uint64_t keep = tailStart + lastEnd + 1;
  bool bCompleteLast = !rest.empty() && IsWholeSampleLine(rest);
  if (!rest.empty() && !bCompleteLast) {
    if (::ftruncate(fd, static_cast<off_t>(keep)) != 0)
      return fail(errno);
    m_nSize = keep;
  }
  if (bCompleteLast)
    return WriteAll(rest.ends_with('\r') ? "\n" : kLineEnd) ? ETry::Opened : ETry::Failed;
  // Blank lines at the end: cut them, but never into the header line.
  std::size_t end = lastEnd + 1; // within tail, just after a line end
  const std::uint64_t headerEnd = firstEnd + 1;
  for (;;) {
    std::string_view v = std::string_view(tail).substr(0, end);
    std::size_t blank = v.ends_with("\n\r\n") ? 2 : v.ends_with("\n\n") ? 1 : 0;
    if (blank == 0 || tailStart + end - blank < headerEnd)
      break;
    end -= blank;
  }
  if (tailStart + end != m_nSize) {
    if (::ftruncate(fd, static_cast<off_t>(tailStart + end)) != 0)
      return fail(errno);
    m_nSize = tailStart + end;
  }
  return ETry::Opened;
}

bool CAppendingDataFile::WriteAll(std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      int nErr = n < 0 ? errno : ENOSPC;
      // Leave no half line behind: the next line must start on its own.
      if (done > 0 && ::ftruncate(m_fd, static_cast<off_t>(m_nSize)) != 0) {
      }
      return Fail(m_strPath, nErr);
    }
    done += static_cast<std::size_t>(n);
  }
  if (!m_bDirty)
    m_firstUnsynced = Clock::now();
  m_nSize += bytes.size();
  m_bDirty = true;
  return true;
}

bool CAppendingDataFile::AppendLine(std::string_view line) {
  if (m_fd < 0)
    return Fail(m_strPath, EBADF);
  std::string bytes;
  bytes.reserve(line.size() + 2);
  bytes += line;
  bytes += kLineEnd;
  return WriteAll(bytes);
}

bool CAppendingDataFile::StillAtPath() const {
  struct stat atPath {
  }, held{};
  if (m_fd < 0 || ::fstat(m_fd, &held) != 0)
    return false;
  return ::stat(m_strPath.c_str(), &atPath) == 0 && atPath.st_dev == held.st_dev &&
         atPath.st_ino == held.st_ino;
}

std::optional<CAppendingDataFile::Clock::time_point> CAppendingDataFile::SyncDeadline() const {
  if (m_fd < 0 || !m_bDirty)
    return std::nullopt;
  return m_firstUnsynced + kSyncEvery;
}

void CAppendingDataFile::SyncIfDue(Clock::time_point now) {
  auto due = SyncDeadline();
  if (!due || now < *due)
    return;
  if (::fdatasync(m_fd) != 0) {
    Fail(m_strPath, errno);
    return;
  }
  ++m_nSyncs;
  m_bDirty = false;
}

bool CAppendingDataFile::Close() {
  if (m_fd < 0)
    return true;
  bool bOk = true;
  if (m_bDirty && ::fdatasync(m_fd) != 0)
    bOk = Fail(m_strPath, errno);
  if (::close(m_fd) != 0 && bOk)
    bOk = Fail(m_strPath, errno);
  m_fd = -1;
  m_bDirty = false;
  return bOk;
}
