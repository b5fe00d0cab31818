#include "journal/OrphanJournals.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
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

std::vector<std::string> FolderEntries(const std::string &strFolder) {
  std::vector<std::string> names;
  DIR *dir = ::opendir(strFolder.c_str());
  if (!dir)
    return names;
  while (const dirent *e = ::readdir(dir))
    names.emplace_back(e->d_name);
  ::closedir(dir);
  return names;
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
  for (const std::string &name : FolderEntries(strFolder)) {
    const std::string strPath = strFolder + "/" + name;
    CJournalFile::Lock lock = CJournalFile::Lock::Failed;
    CFileResult r;
    if (name.starts_with(".new-")) {
      CJournalFile f = CJournalFile::OpenExisting(strPath, lock, r);
      if (lock == CJournalFile::Lock::Taken)
        f.Remove(); // its creator died before naming it
      continue;
    }
    if (!EndsWith(name, CJournalFile::kSuffix))
      continue;
    COrphanJournal o;
    o.file = CJournalFile::OpenExisting(strPath, lock, r);
    if (lock == CJournalFile::Lock::HeldElsewhere)
      continue;
    if (!o.file.IsOpen()) {
      problems.push_back(r.strPath + ": " + r.strReason);
      continue;
    }
    if (o.file.Size() > journal::kMaxJournalBytes) {
      found.push_back(std::move(o)); // no header read: set aside
      continue;
    }
    std::string bytes;
    r = o.file.ReadAll(bytes);
    if (!r.Ok()) {
      problems.push_back(r.strPath + ": " + r.strReason);
      continue;
    }
    o.content = journal::ParseJournal(bytes);
    if (lock == CJournalFile::Lock::Unsupported && ProcessAlive(o.content.header.nPid))
      continue;
    found.push_back(std::move(o));
  }
  std::sort(found.begin(), found.end(), [](const COrphanJournal &a, const COrphanJournal &b) {
    return a.content.header.tStart > b.content.header.tStart;
  });
  return found;
}

CFileResult SetAside(COrphanJournal &orphan) {
  const std::string strFrom = orphan.file.Path();
  const std::string strTo = strFrom + ".damaged";
  CFileResult r = CFileResult::Success(strTo);
  if (::rename(strFrom.c_str(), strTo.c_str()) != 0)
    r = CFileResult::Failure(strFrom, std::string("cannot rename the journal: ") + std::strerror(errno));
  orphan.file.Close();
  return r;
}

namespace {
std::string Samples(std::size_t n, const char *one, const char *many) {
  return std::to_string(n) + (n == 1 ? one : many);
}
} // namespace

std::string RecoveryQuestion(const journal::JournalContent &content) {
  std::string s =
      "Recuperar a medição interrompida?\n" + Samples(content.samples.size(), " amostra", " amostras");
  if (!content.samples.empty())
    s += ", início " + content.samples.front().strTime;
  if (content.Damaged())
    s +=
        "\nO diário estava danificado: " + Samples(content.nLost, " amostra perdida.", " amostras perdidas.");
  return s;
}
