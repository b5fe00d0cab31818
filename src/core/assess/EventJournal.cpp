#include "assess/EventJournal.h"

#include "files/NumberText.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {
void Field(std::string &out, double d) {
  out += ',';
  AppendFixed(out, d, 3);
}

std::vector<std::string_view> Split(std::string_view line) {
  std::vector<std::string_view> f;
  for (std::size_t at = 0;;) {
    const std::size_t comma = line.find(',', at);
    f.push_back(line.substr(at, comma - at));
    if (comma == std::string_view::npos)
      return f;
    at = comma + 1;
  }
}

template <class T> bool Whole(std::string_view s, T &out) {
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && p == s.data() + s.size();
}
} // namespace

std::string EventJournalPath(const std::string &strJournalPath) {
  return strJournalPath + ".events";
}

std::string SettingsJournalLine(const AssessSettings &s) {
  std::string out = "settings,";
  AppendInt(out, s.nPeriodSec);
  out += ',';
  if (s.dThreshold)
    AppendFixed(out, *s.dThreshold, 3);
  Field(out, s.dMinDurationSec);
  Field(out, s.dReleaseSec);
  out += ',';
  if (s.dExposureHours)
    AppendFixed(out, *s.dExposureHours, 3);
  return out + "\n";
}

std::string EventJournalLine(const NoiseEvent &e) {
  std::string out = "event";
  for (long long n : {static_cast<long long>(e.nFirst), static_cast<long long>(e.nLast),
                      static_cast<long long>(e.tStart), static_cast<long long>(e.tEnd)}) {
    out += ',';
    AppendInt(out, n);
  }
  for (double d : {e.dDurationSec, e.dLmax, e.dLeq, e.dSel})
    Field(out, d);
  return out + "\n";
}

JournalledAssessment ParseEventJournal(std::string_view text) {
  JournalledAssessment r;
  while (!text.empty()) {
    const std::size_t nl = text.find('\n');
    if (nl == std::string_view::npos)
      break; // a line the crash cut
    const std::vector<std::string_view> f = Split(text.substr(0, nl));
    text.remove_prefix(nl + 1);
    if (f[0] == "settings" && f.size() == 6) {
      AssessSettings s;
      const std::optional<double> minDur = WholeNumber(f[3]), release = WholeNumber(f[4]);
      if (!Whole(f[1], s.nPeriodSec) || !minDur || !release)
        continue;
      s.dThreshold = WholeNumber(f[2]);
      s.dMinDurationSec = *minDur;
      s.dReleaseSec = *release;
      s.dExposureHours = WholeNumber(f[5]);
      r.settings = s;
      r.events.clear();
    } else if (f[0] == "event" && f.size() == 9) {
      NoiseEvent e;
      long long t0 = 0, t1 = 0;
      std::optional<double> d[4];
      for (int i = 0; i < 4; ++i)
        d[i] = WholeNumber(f[5 + static_cast<std::size_t>(i)]);
      if (!Whole(f[1], e.nFirst) || !Whole(f[2], e.nLast) || !Whole(f[3], t0) || !Whole(f[4], t1) || !d[0] ||
          !d[1] || !d[2] || !d[3])
        continue;
      e.tStart = t0;
      e.tEnd = t1;
      e.dDurationSec = *d[0];
      e.dLmax = *d[1];
      e.dLeq = *d[2];
      e.dSel = *d[3];
      r.events.push_back(e);
    }
  }
  return r;
}

CFileResult AppendToFile(const std::string &strPath, std::string_view bytes) {
  const int fd = ::open(strPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0)
    return CFileResult::Failure(strPath, std::error_code(errno, std::generic_category()).message());
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      const int nErr = n < 0 ? errno : EIO;
      ::close(fd);
      return CFileResult::Failure(strPath, std::error_code(nErr, std::generic_category()).message());
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  ::close(fd);
  return CFileResult::Success(strPath);
}

void RemoveEventJournalsWithoutJournal(const std::string &strFolder) {
  namespace fs = std::filesystem;
  const std::string suffix = EventJournalPath("");
  std::error_code ec;
  for (const fs::directory_entry &e : fs::directory_iterator(strFolder, ec)) {
    const std::string path = e.path().string();
    if (path.size() > suffix.size() && path.ends_with(suffix) &&
        !fs::exists(path.substr(0, path.size() - suffix.size()), ec))
      fs::remove(e.path(), ec);
  }
}
