#include "journal/OrphanJournals.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool EndsWith(const std::string &s, std::string_view suffix) {
  return s.size() > suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool ProcessAlive(std::int64_t nPid) {
  if (nPid <= 0 || nPid == ::getpid())
    return false;
  return ::kill(static_cast<pid_t>(nPid), 0) == 0 || errno == EPERM;
}

std::vector<std::string> FolderEntries(const CStateFolder &folder) {
  std::vector<std::string> names;
  const int fd = ::fcntl(folder.Descriptor(), F_DUPFD_CLOEXEC, 0);
  DIR *dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
  if (!dir) {
    if (fd >= 0)
      ::close(fd);
    return names;
  }
  ::rewinddir(dir); // the duplicate shares the position of earlier listings
  while (const dirent *e = ::readdir(dir))
    names.emplace_back(e->d_name);
  ::closedir(dir);
  return names;
}

// Why a journal read without finding its header cannot be recovered.
std::string HeaderFault(std::string_view bytes) {
  if (bytes.empty())
    return "empty (0 bytes)";
  if (bytes.substr(0, journal::kMagic.size()) != journal::kMagic)
    return "not a journal of this program";
  return "its header is damaged";
}

void PruneSetAside(const CStateFolder &folder) {
  std::vector<std::pair<struct timespec, std::string>> aside;
  for (std::string &name : FolderEntries(folder)) {
    struct stat st {};
    if (EndsWith(name, kSetAsideSuffix) &&
        ::fstatat(folder.Descriptor(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
      aside.emplace_back(st.st_ctim, std::move(name));
  }
  if (aside.size() <= kKeepSetAside)
    return;
  std::sort(aside.begin(), aside.end(), [](const auto &a, const auto &b) {
    if (a.first.tv_sec != b.first.tv_sec)
      return a.first.tv_sec > b.first.tv_sec;
    if (a.first.tv_nsec != b.first.tv_nsec)
      return a.first.tv_nsec > b.first.tv_nsec;
    return a.second > b.second;
  });
  for (std::size_t i = kKeepSetAside; i < aside.size(); ++i)
    folder.Remove(aside[i].second);
}

} // namespace

EOrphanAction DecideOrphan(const journal::JournalContent &content) {
  if (!content.samples.empty())
    return EOrphanAction::Offer;
  if (content.bHeader && !content.Damaged())
    return EOrphanAction::Remove;
  return EOrphanAction::SetAside;
}

std::vector<COrphanJournal> FindOrphanJournals(const std::string &strFolder,
                                               std::vector<std::string> &problems) {
  std::vector<COrphanJournal> found;
  CFileResult r;
  const CStateFolder folder = CStateFolder::Open(strFolder, CStateFolder::Mode::Existing, r);
  if (!r.Ok())
    problems.push_back(r.strPath + ": " + r.strReason);
  if (!folder.IsOpen())
    return found;
  for (const std::string &name : FolderEntries(folder)) {
    CJournalFile::Lock lock = CJournalFile::Lock::Failed;
    if (name.starts_with(".new-")) {
      CJournalFile f = CJournalFile::OpenExisting(folder, name, lock, r);
      if (lock == CJournalFile::Lock::Taken)
        f.Remove(); // its creator died before naming it
      continue;
    }
    if (!EndsWith(name, CJournalFile::kSuffix))
      continue;
    COrphanJournal o;
    o.strName = name;
    o.file = CJournalFile::OpenExisting(folder, name, lock, r);
    if (lock == CJournalFile::Lock::HeldElsewhere)
      continue;
    if (lock == CJournalFile::Lock::Refused) {
      o.strFault = r.strReason;
    } else if (!o.file.IsOpen()) {
      problems.push_back(r.strPath + ": " + r.strReason);
      continue;
    } else if (o.file.Size() > journal::kMaxJournalBytes) {
      o.strFault = "larger than any journal of this program (" + std::to_string(o.file.Size()) + " bytes)";
    } else {
      std::string bytes;
      r = o.file.ReadAll(bytes);
      if (!r.Ok()) {
        problems.push_back(r.strPath + ": " + r.strReason);
        continue;
      }
      o.content = journal::ParseJournal(bytes);
      if (!o.content.bHeader)
        o.strFault = HeaderFault(bytes);
      if (lock == CJournalFile::Lock::Unsupported && ProcessAlive(o.content.header.nPid))
        continue;
    }
    o.folder = folder.Duplicate();
    found.push_back(std::move(o));
  }
  std::sort(found.begin(), found.end(), [](const COrphanJournal &a, const COrphanJournal &b) {
    return a.content.header.tStart > b.content.header.tStart;
  });
  return found;
}

CFileResult SetAside(COrphanJournal &orphan) {
  orphan.file.Close();
  const CFileResult r = orphan.folder.Rename(orphan.strName, orphan.strName + std::string(kSetAsideSuffix));
  if (r.Ok())
    PruneSetAside(orphan.folder);
  return r;
}

namespace {
constexpr TrText kRecover = TARVIK_TR("Journal", "Recuperar a medição interrompida?");
constexpr TrText kOneSample = TARVIK_TR("Journal", "%1 amostra");
constexpr TrText kSamples = TARVIK_TR("Journal", "%1 amostras");
constexpr TrText kStartedAt = TARVIK_TR("Journal", ", início %1");
constexpr TrText kOneLost = TARVIK_TR("Journal", "O diário estava danificado: %1 amostra perdida.");
constexpr TrText kLost = TARVIK_TR("Journal", "O diário estava danificado: %1 amostras perdidas.");
// The journal keeps why a run ended in the source text of the status bar's line.
constexpr const char *kEndReasonContext = "StatusBar";

std::string Filled(const std::string &pattern, const std::string &arg) {
  std::string s = pattern;
  if (const std::size_t at = s.find("%1"); at != std::string::npos)
    s.replace(at, 2, arg);
  return s;
}

std::string Count(FTranslate tr, std::size_t n, TrText one, TrText many) {
  return Filled(tr(n == 1 ? one : many), std::to_string(n));
}
} // namespace

std::string RecoveryQuestion(const journal::JournalContent &content, FTranslate tr) {
  std::string s = tr(kRecover) + "\n" + Count(tr, content.samples.size(), kOneSample, kSamples);
  if (!content.samples.empty())
    s += Filled(tr(kStartedAt), content.samples.front().strTime);
  if (content.bEnded && !content.strEndReason.empty())
    (s += '\n') += tr(TrText{kEndReasonContext, content.strEndReason.c_str()});
  if (content.Damaged())
    (s += '\n') += Count(tr, content.nLost, kOneLost, kLost);
  return s;
}
