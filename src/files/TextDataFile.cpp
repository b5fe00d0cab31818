#include "files/TextDataFile.h"

#include "files/AtomicFile.h"
#include "files/NumberText.h"

#include <cerrno>
#include <fcntl.h>
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
  std::size_t p = s.find(c);
  return p == std::string_view::npos ? -1 : static_cast<long long>(p);
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
  std::string chunk = TextDataHeader(samples[0].m_dSampleRate);
  chunk += kLineEnd;
  chunk.reserve(64 * 1024);
  for (std::size_t i = 0; i < n; ++i) {
    AppendTextDataLine(chunk, samples[i]);
    chunk += kLineEnd;
    if (chunk.size() >= 60 * 1024) {
      if (!sink.Append(chunk))
        return false;
      chunk.clear();
    }
    if (progress && (i + 1) % kProgressEvery == 0 && !progress(i + 1, n)) {
      if (pbCancelled)
        *pbCancelled = true;
      return false;
    }
  }
  if (!sink.Append(chunk))
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

CTextDataContent ParseTextData(std::string_view bytes, const ProgressFn &progress) {
  CTextDataContent content;
  std::size_t pos = 0;
  std::string_view header = NextLine(bytes, pos);
  if (header.substr(0, DATA_FILE_HEADER.size()) != DATA_FILE_HEADER) {
    content.result.status = CFileResult::Status::WrongFormat;
    content.result.strReason = "Data Format is wrong!";
    return content;
  }
  // The rate stands between the first ":" and the first ";".
  long long colon = Find(header, ':');
  long long semi = Find(header, ';');
  content.dSampleRate = LenientNumber(Left(Mid(header, colon + 1), semi - (colon + 1)));
  if (semi < 0)
    content.result.warnings.push_back("line 1: no \";\" after the sample rate; the rate is 0");

  std::size_t nLine = 1;
  content.samples.reserve(bytes.size() / 33 + 1);
  while (pos < bytes.size()) {
    if (progress && nLine % kProgressEvery == 0 && !progress(pos, bytes.size())) {
      content.result.status = CFileResult::Status::Cancelled;
      content.samples.clear();
      return content;
    }
    std::string_view line = NextLine(bytes, pos);
    ++nLine;
    if (line.empty()) {
      if (pos < bytes.size())
        content.result.warnings.push_back("line " + std::to_string(nLine) +
                                          ": blank line; the lines after it were not read");
      break;
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
      if (content.firstSkippedLines.size() < kSkippedLinesNamed)
        content.firstSkippedLines.push_back(nLine);
      ++content.nSkippedLines;
      continue;
    }
    content.samples.push_back(
        std::make_unique<CObjData>(*level, std::string(time), std::string(unit), 0, content.dSampleRate));
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

CFileResult ReadTextDataFile(const std::string &strPath, CSampleStore &store, const ProgressFn &progress) {
  std::string bytes;
  CFileResult res = ReadWholeFile(strPath, bytes);
  if (!res.Ok())
    return res;
  CTextDataContent content = ParseTextData(bytes, progress);
  content.result.strPath = strPath;
  if (!content.result.Ok())
    return content.result;
  if (content.nSkippedLines > 0)
    content.result.warnings.push_back(SkippedLinesMessage(content));
  MoveIntoStore(content, store);
  return content.result;
}

void MoveIntoStore(CTextDataContent &content, CSampleStore &store) {
  store.RemoveAll();
  store.Reserve(content.samples.size());
  for (auto &rec : content.samples)
    store.Add(std::move(rec));
  content.samples.clear();
}
