#include "files/TextDataFile.h"

#include "files/AtomicFile.h"
#include "files/ChunkedWrite.h"
#include "files/LineEndCount.h"
#include "files/NumberText.h"
#include "files/UsualTextLine.h"

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

// Cuts a file handed over in pieces into lines ended by LF, CR LF or a lone
// CR. A line longer than kMaxLineBytes is not kept, only marked, so a file
// without line ends costs no more memory than a short line.
class CLineSplitter {
public:
  // `bLoneCr`: some line ends with a CR alone, so lines end at either byte.
  explicit CLineSplitter(bool bLoneCr) : m_bLoneCr(bLoneCr) {}

  // take(line, bTooLong, bPieceEnd) for each line that ends in `piece`
  // (bPieceEnd: its line end closes the piece); false from it stops the
  // splitting, and Feed returns false.
  template <class Take> bool Feed(std::string_view piece, Take &&take) {
    std::size_t pos = 0;
    if (std::exchange(m_bSkipLf, false) && !piece.empty() && piece[0] == '\n')
      pos = 1; // the LF of a CR LF cut between two pieces
    m_nNextLf = m_nNextCr = 0;
    m_bHaveLf = m_bHaveCr = false;
    while (pos < piece.size()) {
      const std::size_t end = LineEnd(piece, pos);
      if (end == std::string_view::npos) {
        Keep(piece.substr(pos));
        return true;
      }
      std::string_view line = piece.substr(pos, end - pos);
      bool bTooLong = false;
      if (m_bPending) {
        Keep(line);
        line = m_carry;
        bTooLong = m_bTooLong;
      }
      pos = end + 1;
      if (piece[end] == '\r') {
        if (pos == piece.size())
          m_bSkipLf = true;
        else if (piece[pos] == '\n')
          ++pos;
      } else if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1); // the CR of a CR LF
      }
      bTooLong = bTooLong || line.size() > kMaxLineBytes;
      const bool bGoOn = take(bTooLong ? std::string_view() : line, bTooLong, pos >= piece.size());
      m_carry.clear();
      m_bPending = m_bTooLong = false;
      if (!bGoOn)
        return false;
    }
    return true;
  }
  // The last line when the file does not end with a line end.
  bool HasRest() const { return m_bPending; }
  std::string_view Rest() const { return m_bTooLong ? std::string_view() : std::string_view(m_carry); }
  bool RestTooLong() const { return m_bTooLong; }

private:
  // The next line end from `pos`: an LF, or with lone CRs about, a CR too
  // (each byte searched for once per line it ends).
  std::size_t LineEnd(std::string_view piece, std::size_t pos) {
    if (!m_bLoneCr)
      return piece.find('\n', pos);
    if (!m_bHaveLf || m_nNextLf < pos) { // npos stays: no LF in the rest
      m_nNextLf = piece.find('\n', pos);
      m_bHaveLf = true;
    }
    if (!m_bHaveCr || m_nNextCr < pos) {
      m_nNextCr = piece.find('\r', pos);
      m_bHaveCr = true;
    }
    return std::min(m_nNextLf, m_nNextCr);
  }
  void Keep(std::string_view part) {
    m_bPending = true;
    if (m_bTooLong)
      return;
    if (m_carry.size() + part.size() > kMaxLineBytes + 1) { // room for the CR of a CR LF
      m_bTooLong = true;
      std::string().swap(m_carry);
      return;
    }
    m_carry.append(part);
  }

  const bool m_bLoneCr;
  std::string m_carry; // the start of a line cut by the end of a piece
  bool m_bPending = false, m_bTooLong = false, m_bSkipLf = false;
  std::size_t m_nNextLf = 0, m_nNextCr = 0;
  bool m_bHaveLf = false, m_bHaveCr = false;
};

// A time text in the "%d-%d-%d,%d:%d:%d" layout (day, month, year, hour,
// minute, second) that names no real moment: month 13, 30 February, 25:61,
// 00-00-0000. Texts in no such layout are not judged here.
bool IsImpossibleDateTime(std::string_view s) {
  static constexpr char kSeparators[] = {'-', '-', ',', ':', ':'};
  long long v[6] = {};
  std::size_t at = 0;
  for (int i = 0; i < 6; ++i) {
    if (i > 0 && (at >= s.size() || s[at++] != kSeparators[i - 1]))
      return false;
    while (at < s.size() && (s[at] == ' ' || (s[at] >= '\t' && s[at] <= '\r')))
      ++at;
    const bool bNegative = at < s.size() && s[at] == '-';
    if (at < s.size() && (s[at] == '+' || s[at] == '-'))
      ++at;
    if (at >= s.size() || s[at] < '0' || s[at] > '9')
      return false;
    for (; at < s.size() && s[at] >= '0' && s[at] <= '9'; ++at)
      v[i] = std::min<long long>(v[i] * 10 + (s[at] - '0'), 1000000);
    if (bNegative)
      v[i] = -v[i];
  }
  const CivilFields f{static_cast<int>(v[2]), static_cast<int>(v[1]), static_cast<int>(v[0]),
                      static_cast<int>(v[3]), static_cast<int>(v[4]), static_cast<int>(v[5])};
  // a real moment comes back unchanged from the calendar's carrying
  return f.nYear < 1 || f.nYear > 9999 || f.nMonth < 1 || f.nMonth > 12 ||
         FromCivilSeconds(ToCivilSeconds(f)) != f;
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
  bool Line(std::string_view line, bool bLast, bool bTooLong) {
    ++m_nLine;
    if (bTooLong)
      return Skip(BadLine::TooLong);
    if (line.empty()) {
      if (!bLast)
        m_c.result.warnings.push_back("line " + std::to_string(m_nLine) +
                                      ": blank line; the lines after it were not read");
      return false;
    }
    const std::optional<CUsualTextLine> usual = ReadUsualTextLine(line);
    if (usual && m_bUsualDate && usual->date == std::string_view(m_usualDate, sizeof m_usualDate)) {
      if (usual->dLevel < kMinFileLevel || usual->dLevel > kMaxFileLevel)
        return Skip(BadLine::NoLevel);
      const ParsedTimeText parsed{m_usualDateSeconds + usual->nClockSeconds, TimeStyle::PaddedHour,
                                  usual->nClockSeconds >= 10 * 3600};
      m_c.samples.EmplaceRead(usual->dLevel, usual->time, parsed, usual->unit, 0, m_c.dSampleRate);
      return true;
    }
    long long p = Find(line, ',');
    std::string_view rest1 = Mid(line, p + 1);
    long long q = Find(rest1, ',');
    std::string_view time = Left(line, p + q + 1);
    std::string_view rest2 = Mid(rest1, q + 1);
    long long r = Find(rest2, ',');
    std::string_view levelText = Left(rest2, r);
    const std::string_view unit = TextLineUnit(line);
    const std::optional<double> level = WholeNumber(levelText);
    if (!level || *level < kMinFileLevel || *level > kMaxFileLevel)
      return Skip(BadLine::NoLevel);
    const std::optional<ParsedTimeText> parsed = m_times.Parse(time);
    if (!parsed && IsImpossibleDateTime(time))
      return Skip(BadLine::NoSuchTime);
    if (usual && parsed) { // the lines after it of the same date take the short way
      usual->date.copy(m_usualDate, sizeof m_usualDate);
      m_usualDateSeconds = parsed->t - usual->nClockSeconds;
      m_bUsualDate = true;
    }
    m_c.samples.EmplaceRead(*level, time, parsed, unit, 0, m_c.dSampleRate);
    return true;
  }

  std::size_t LineNumber() const { return m_nLine; }

private:
  bool Skip(BadLine why) {
    if (m_c.firstSkippedLines.size() < kSkippedLinesNamed)
      m_c.firstSkippedLines.push_back(m_nLine);
    ++m_c.nSkippedLines;
    ++m_c.skippedBy[static_cast<std::size_t>(why)];
    return true;
  }

  CTextDataContent &m_c;
  CTimeTextReader m_times;
  std::size_t m_nLine = 1;
  // The last date a usual line had that the general reading found real.
  char m_usualDate[10] = {};
  CivilSeconds m_usualDateSeconds = 0;
  bool m_bUsualDate = false;
};

// The header line first, then the sample lines, however the bytes come.
class CTextDataReading {
public:
  CTextDataReading(CTextDataLines &lines, CTextDataContent &content, std::size_t nLines)
      : m_lines(lines), m_c(content), m_nLines(nLines) {}

  // False once the reading has ended: a wrong header or a blank line.
  bool Take(std::string_view line, bool bLast, bool bTooLong) {
    if (m_bEnded)
      return false;
    if (m_bHeader) {
      m_bHeader = false;
      m_bEnded = !m_lines.Header(line); // a header too long to keep is no header
      if (!m_bEnded) {
        m_c.samples.Reserve(m_nLines);
        m_c.samples.BeginBulkAppend();
      }
    } else {
      m_bEnded = !m_lines.Line(line, bLast, bTooLong);
    }
    return !m_bEnded;
  }
  // The last line, when the file does not end with a line end (an empty
  // file is one empty line); the store is finished or, on failure, emptied.
  void Finish(const CLineSplitter &split) {
    if (m_c.result.Ok() && (m_bHeader || split.HasRest()))
      Take(split.Rest(), true, split.RestTooLong());
    m_c.samples.EndBulkAppend();
    if (!m_c.result.Ok())
      m_c.samples.RemoveAll();
  }

private:
  CTextDataLines &m_lines;
  CTextDataContent &m_c;
  std::size_t m_nLines;
  bool m_bHeader = true, m_bEnded = false;
};

CTextDataContent ParseTextData(std::string_view bytes, const ProgressFn &progress) {
  CTextDataContent content;
  CTextDataLines lines(content);
  CLineEndCount count;
  count.Add(bytes);
  CTextDataReading reading(lines, content, count.Lines());
  CLineSplitter split(count.AnyLoneCr());
  split.Feed(bytes, [&](std::string_view line, bool bTooLong, bool bPieceEnd) {
    if (!reading.Take(line, bPieceEnd, bTooLong))
      return false;
    if (progress && lines.LineNumber() % kProgressEvery == 0 &&
        !progress(lines.LineNumber(), count.Lines())) {
      content.result.status = CFileResult::Status::Cancelled;
      return false;
    }
    return true;
  });
  reading.Finish(split);
  return content;
}

std::string SkippedLinesMessage(const CTextDataContent &content) {
  const std::size_t n = content.nSkippedLines;
  if (n == 0)
    return {};
  const std::string kWhy[kBadLineKinds] = {"without a level from 0 to 200 dB",
                                           "with a date or time that does not exist",
                                           "longer than " + std::to_string(kMaxLineBytes) + " bytes"};
  std::string why;
  std::size_t nKinds = 0, nOnly = 0;
  for (std::size_t k = 0; k < kBadLineKinds; ++k)
    if (const std::size_t nk = content.skippedBy[k]; nk > 0) {
      why += (nKinds++ ? ", " : "") + std::to_string(nk) + " " + kWhy[k];
      nOnly = k;
    }
  // one reason reads as before; several are counted each
  std::string text = "Skipped " + std::to_string(n) + (n == 1 ? " line " : " lines ") +
                     (nKinds > 1 ? "(" + why + ")" : kWhy[nOnly]) + ": line" + (n == 1 ? " " : "s ");
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
  // Both passes report progress, so a cancel is heard within one piece.
  const std::size_t nTotal = 2 * file.Size();
  auto cancelled = [&](std::size_t nDone) {
    if (!progress || progress(nDone, nTotal))
      return false;
    content.result.status = CFileResult::Status::Cancelled;
    content.samples.RemoveAll();
    return true;
  };
  int nErr = 0;
  CLineEndCount count;
  std::size_t nDone = 0;
  for (std::string_view piece = file.Next(nErr); !piece.empty(); piece = file.Next(nErr)) {
    count.Add(piece);
    nDone += piece.size();
    if (cancelled(nDone))
      return content;
  }
  if (nErr || (nErr = file.Rewind()))
    return fail(nErr);

  CTextDataLines lines(content);
  CTextDataReading reading(lines, content, count.Lines());
  CLineSplitter split(count.AnyLoneCr());
  nDone = 0;
  for (std::string_view piece = file.Next(nErr); !piece.empty(); piece = file.Next(nErr)) {
    nDone += piece.size();
    const bool bLastPiece = nDone >= file.Size();
    const bool bGoOn = split.Feed(piece, [&](std::string_view line, bool bTooLong, bool bPieceEnd) {
      return reading.Take(line, bLastPiece && bPieceEnd, bTooLong);
    });
    if (cancelled(file.Size() + nDone))
      return content;
    if (!bGoOn)
      break;
  }
  if (nErr)
    return fail(nErr);
  reading.Finish(split);
  if (!content.result.Ok())
    return content;
  // a blank line may have ended the samples early
  if (content.samples.GetSize() + content.samples.GetSize() / 8 < count.Lines())
    content.samples.ShrinkToFit();
  return content;
}

void MoveIntoStore(CTextDataContent &content, CSampleStore &store) {
  store = std::move(content.samples);
  content.samples = CSampleStore();
}
