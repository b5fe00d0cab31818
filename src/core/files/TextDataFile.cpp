#include "files/TextDataFile.h"

#include "files/AtomicFile.h"
#include "files/ChunkedWrite.h"
#include "files/NumberText.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {
constexpr std::size_t kProgressEvery = 8192; // lines between progress reports
constexpr std::string_view kLineEnd = "\r\n";

// CString::Left/Mid with the data file's index rules: a position that was
// not found is -1, a negative length is 0, and a length past the end stops
// at the end.
std::string_view Left(std::string_view s, long long n) {
  if (n <= 0)
    return {};
  return s.substr(0, static_cast<std::size_t>(n));
}
std::string_view Mid(std::string_view s, long long nFirst) {
  if (nFirst <= 0)
    return s;
  if (static_cast<std::size_t>(nFirst) >= s.size())
    return {};
  return s.substr(static_cast<std::size_t>(nFirst));
}
long long Find(std::string_view s, char c) {
  // fields are a few bytes long: a plain loop beats a library search here
  for (std::size_t i = 0; i < s.size(); ++i)
    if (s[i] == c)
      return static_cast<long long>(i);
  return -1;
}

// Line ends in `bytes`, counted in byte-wide lanes a block at a time (a
// plain std::count widens every byte to a 64-bit sum).
std::size_t CountLineEnds(std::string_view bytes) {
  std::size_t n = 0;
  for (std::size_t at = 0; at < bytes.size(); at += 255) {
    const std::size_t nBlock = std::min<std::size_t>(255, bytes.size() - at);
    unsigned char c = 0;
    for (std::size_t k = 0; k < nBlock; ++k)
      c = static_cast<unsigned char>(c + (bytes[at + k] == '\n'));
    n += c;
  }
  return n;
}

// The next line without its LF and without a CR right before the LF; the
// last line may have no LF at all.
std::string_view NextLine(std::string_view bytes, std::size_t &pos) {
  std::size_t end = bytes.find('\n', pos);
  std::string_view line;
  if (end == std::string_view::npos) {
    line = bytes.substr(pos);
    pos = bytes.size();
    return line;
  }
  line = bytes.substr(pos, end - pos);
  pos = end + 1;
  if (!line.empty() && line.back() == '\r')
    line.remove_suffix(1);
  return line;
}
} // namespace

std::string TextDataHeader(double dSampleRate) {
  std::string s(DATA_FILE_HEADER);
  s += ':';
  AppendFixed(s, dSampleRate, 1, 2);
  s += ';';
  return s;
}

void AppendTextDataLine(std::string &out, const CSampleArray &samples, std::size_t i) {
  samples.AppendTime(out, i);
  out += ", ";
  AppendFixed(out, samples.Level(i), 2, 5);
  out += ", ";
  out += samples.Unit(i);
}

void AppendTextDataLine(std::string &out, const CObjData &rec) {
  out += rec.m_strTime;
  out += ", ";
  AppendFixed(out, rec.m_dValue, 2, 5);
  out += ", ";
  out += rec.m_strUnit;
}

bool WriteTextData(CByteSink &sink, const CSampleArray &samples, const ProgressFn &progress,
                   bool *pbCancelled) {
  if (pbCancelled)
    *pbCancelled = false;
  const std::size_t n = samples.GetSize();
  if (n == 0)
    return true;
  std::string chunk = TextDataHeader(samples.SampleRate(0));
  chunk += kLineEnd;
  const ChunkedWriteEnd end = WriteRowsInChunks(
      sink, chunk, n,
      [&samples](std::string &out, std::size_t i) {
        AppendTextDataLine(out, samples, i);
        out += kLineEnd;
      },
      progress);
  if (end == ChunkedWriteEnd::Cancelled && pbCancelled)
    *pbCancelled = true;
  if (end != ChunkedWriteEnd::Written || !sink.Append(chunk))
    return false;
  if (progress && !progress(n, n)) {
    if (pbCancelled)
      *pbCancelled = true;
    return false;
  }
  return true;
}

CFileResult WriteTextDataFile(const std::string &strPath, const CSampleArray &samples,
                              const ProgressFn &progress) {
  CAtomicFile file;
  CFileResult res = file.Open(strPath);
  if (!res.Ok())
    return res;
  bool bCancelled = false;
  if (!WriteTextData(file, samples, progress, &bCancelled)) {
    if (bCancelled) {
      file.Discard();
      return {CFileResult::Status::Cancelled, strPath, {}, {}};
    }
    return file.Error();
  }
  return file.Commit();
}

// Turns the lines of a data file into samples of a store, one line at a time.
class CTextDataLines {
public:
  explicit CTextDataLines(CTextDataContent &content) : m_c(content) {}

  // False when the first line is not a data file header.
  bool Header(std::string_view header) {
    if (header.substr(0, DATA_FILE_HEADER.size()) != DATA_FILE_HEADER) {
      m_c.result.status = CFileResult::Status::WrongFormat;
      m_c.result.strReason = "Data Format is wrong!";
      return false;
    }
    // The rate stands between the first ":" and the first ";".
    long long colon = Find(header, ':');
    long long semi = Find(header, ';');
    m_c.dSampleRate = LenientNumber(Left(Mid(header, colon + 1), semi - (colon + 1)));
    if (semi < 0)
      m_c.result.warnings.push_back("line 1: no \";\" after the sample rate; the rate is 0");
    return true;
  }

  // False once a blank line has ended the samples. `bLast` tells that
  // nothing follows the line.
  bool Line(std::string_view line, bool bLast) {
    ++m_nLine;
    if (line.empty()) {
      if (!bLast)
        m_c.result.warnings.push_back("line " + std::to_string(m_nLine) +
                                      ": blank line; the lines after it were not read");
      return false;
    }
    long long p = Find(line, ',');
    std::string_view rest1 = Mid(line, p + 1);
    long long q = Find(rest1, ',');
    std::string_view time = Left(line, p + q + 1);
    std::string_view rest2 = Mid(rest1, q + 1);
    long long r = Find(rest2, ',');
    std::string_view levelText = Left(rest2, r);
    std::string_view unit = line.size() > 4 ? line.substr(line.size() - 4) : line;
    if (!unit.empty() && unit.back() == '\r')
      unit.remove_suffix(1);
    if (!unit.empty() && unit.front() == ' ')
      unit.remove_prefix(1);
    const std::optional<double> level = WholeNumber(levelText);
    if (!level || *level < kMinFileLevel || *level > kMaxFileLevel) {
      if (m_c.firstSkippedLines.size() < kSkippedLinesNamed)
        m_c.firstSkippedLines.push_back(m_nLine);
      ++m_c.nSkippedLines;
      return true;
    }
    m_c.samples.Emplace(*level, time, m_times, unit, 0, m_c.dSampleRate);
    return true;
  }

  std::size_t LineNumber() const { return m_nLine; }

private:
  CTextDataContent &m_c;
  CTimeTextReader m_times;
  std::size_t m_nLine = 1;
};

CTextDataContent ParseTextData(std::string_view bytes, const ProgressFn &progress) {
  CTextDataContent content;
  CTextDataLines lines(content);
  std::size_t pos = 0;
  if (!lines.Header(NextLine(bytes, pos)))
    return content;
  content.samples.Reserve(static_cast<std::size_t>(std::count(
                              bytes.begin() + static_cast<std::ptrdiff_t>(pos), bytes.end(), '\n')) +
                          1);
  while (pos < bytes.size()) {
    if (!lines.Line(NextLine(bytes, pos), pos >= bytes.size()))
      break;
    if (progress && lines.LineNumber() % kProgressEvery == 0 && !progress(pos, bytes.size())) {
      content.result.status = CFileResult::Status::Cancelled;
      content.samples.RemoveAll();
      return content;
    }
  }
  return content;
}

std::string SkippedLinesMessage(const CTextDataContent &content) {
  const std::size_t n = content.nSkippedLines;
  if (n == 0)
    return {};
  std::string text = "Skipped " + std::to_string(n) + (n == 1 ? " line" : " lines") +
                     " without a level from 0 to 200 dB: line" + (n == 1 ? " " : "s ");
  for (std::size_t i = 0; i < content.firstSkippedLines.size(); ++i) {
    if (i > 0)
      text += ", ";
    text += std::to_string(content.firstSkippedLines[i]);
  }
  if (n > content.firstSkippedLines.size())
    text += " and " + std::to_string(n - content.firstSkippedLines.size()) + " more";
  return text + ".";
}

CFileResult ReadWholeFile(const std::string &strPath, std::string &out) {
  auto fail = [&](int nErr) {
    return CFileResult::Failure(strPath, std::error_code(nErr, std::generic_category()).message());
  };
  int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return fail(errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    int nErr = S_ISDIR(st.st_mode) ? EISDIR : errno;
    ::close(fd);
    return fail(nErr);
  }
  out.clear();
  if (st.st_size > 0)
    out.reserve(static_cast<std::size_t>(st.st_size));
  char buf[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      int nErr = errno;
      ::close(fd);
      return fail(nErr);
    }
    if (n == 0)
      break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return CFileResult::Success(strPath);
}

namespace {
// The file in pieces of kChunk bytes, for counting lines and for reading
// them, without ever holding the whole file.
class CChunkedFile {
public:
  static constexpr std::size_t kChunk = 1 << 20;
  ~CChunkedFile() {
    if (m_fd >= 0)
      ::close(m_fd);
  }
  int Open(const std::string &strPath) {
    m_fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
      return errno;
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
      return errno;
    if (S_ISDIR(st.st_mode))
      return EISDIR;
    m_nSize = static_cast<std::size_t>(std::max<off_t>(st.st_size, 0));
    m_buf.resize(kChunk);
    return 0;
  }
  std::size_t Size() const { return m_nSize; }
  int Rewind() { return ::lseek(m_fd, 0, SEEK_SET) < 0 ? errno : 0; }
  // The next piece; empty at the end. nErr is set on a failed read.
  std::string_view Next(int &nErr) {
    for (;;) {
      const ssize_t n = ::read(m_fd, m_buf.data(), m_buf.size());
      if (n < 0 && errno == EINTR)
        continue;
      if (n < 0) {
        nErr = errno;
        return {};
      }
      return {m_buf.data(), static_cast<std::size_t>(n)};
    }
  }

private:
  int m_fd = -1;
  std::size_t m_nSize = 0;
  std::vector<char> m_buf;
};
} // namespace

CFileResult ReadTextDataFile(const std::string &strPath, CSampleStore &store, const ProgressFn &progress) {
  CTextDataContent content = ReadTextDataContent(strPath, progress);
  if (!content.result.Ok())
    return content.result;
  if (content.nSkippedLines > 0)
    content.result.warnings.push_back(SkippedLinesMessage(content));
  MoveIntoStore(content, store);
  return content.result;
}

CTextDataContent ReadTextDataContent(const std::string &strPath, const ProgressFn &progress) {
  CTextDataContent content;
  content.result.strPath = strPath;
  auto fail = [&](int nErr) {
    content.result = CFileResult::Failure(strPath, std::error_code(nErr, std::generic_category()).message());
    content.samples.RemoveAll();
    return std::move(content);
  };
  CChunkedFile file;
  if (int nErr = file.Open(strPath))
    return fail(nErr);
  // Counting the lines first lets the store take exactly the room it needs:
  // a store grown on the way would hold its old and new arrays at once.
  int nErr = 0;
  std::size_t nLines = 0;
  for (std::string_view piece = file.Next(nErr); !piece.empty(); piece = file.Next(nErr))
    nLines += CountLineEnds(piece);
  if (nErr || (nErr = file.Rewind()))
    return fail(nErr);

  CTextDataLines lines(content);
  std::string carry; // a line cut by the end of a piece
  std::size_t nDone = 0;
  bool bHeader = true, bEnded = false;
  // a CR right before the LF goes; the last line may have no LF
  auto take = [&](std::string_view line, bool bLast, bool bLf) {
    if (bLf && !line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    if (bHeader) {
      bHeader = false;
      if (!lines.Header(line))
        return false;
      content.samples.Reserve(nLines);
      content.samples.BeginBulkAppend();
      return true;
    }
    return lines.Line(line, bLast);
  };
  for (std::string_view piece = file.Next(nErr); !piece.empty() && !bEnded; piece = file.Next(nErr)) {
    nDone += piece.size();
    std::size_t pos = 0;
    for (std::size_t nl = piece.find('\n'); nl != std::string_view::npos; nl = piece.find('\n', pos)) {
      std::string_view line = piece.substr(pos, nl - pos);
      if (!carry.empty()) {
        carry.append(line);
        line = carry;
      }
      pos = nl + 1;
      const bool bGoOn = take(line, nDone >= file.Size() && pos >= piece.size(), true);
      carry.clear();
      if (!bGoOn) {
        bEnded = true;
        break;
      }
    }
    if (!bEnded)
      carry.append(piece.substr(pos));
    if (progress && !progress(nDone, file.Size())) {
      content.result.status = CFileResult::Status::Cancelled;
      content.samples.RemoveAll();
      return content;
    }
  }
  if (nErr)
    return fail(nErr);
  if (!bEnded && (bHeader || !carry.empty()))
    take(carry, true, false); // the last line without a line end, or an empty file
  content.samples.EndBulkAppend();
  if (!content.result.Ok()) {
    content.samples.RemoveAll();
    return content;
  }
  // a blank line may have ended the samples early
  if (content.samples.GetSize() + content.samples.GetSize() / 8 < nLines)
    content.samples.ShrinkToFit();
  return content;
}

void MoveIntoStore(CTextDataContent &content, CSampleStore &store) {
  store = std::move(content.samples);
  content.samples = CSampleStore();
}
