#pragma once

#include "journal/JournalFile.h"
#include "journal/JournalFormat.h"
#include "journal/StateFolder.h"
#include "lang/Translate.h"

#include <string>
#include <vector>

// A journal whose writer is gone: locked now by us, with what it holds.
struct COrphanJournal {
  CStateFolder folder; // where it lies
  std::string strName;
  CJournalFile file; // closed when the file could not be trusted
  journal::JournalContent content;
  std::string strFault; // why it cannot be recovered, when it cannot
};

// What to do with one left behind.
enum class EOrphanAction {
  Offer,   // it holds samples: ask the user
  Remove,  // an intact run without samples: nothing to recover
  SetAside // unreadable: renamed out of the way, never deleted unseen
};
EOrphanAction DecideOrphan(const journal::JournalContent &content);

// The journals in `strFolder` that no running instance holds, newest run
// first. Another instance's live journal is locked and skipped; where the
// file system has no locks, the writer's process number decides. Hidden
// files of a creation that died half-way are deleted. A file under a
// journal's name that is not a private file of ours, too large, empty or
// without a readable header comes with its fault. `problems` gets one line
// per file or folder that could not be read.
std::vector<COrphanJournal> FindOrphanJournals(const std::string &strFolder,
                                               std::vector<std::string> &problems);

// How many set-aside journals are kept, the newest.
inline constexpr std::size_t kKeepSetAside = 3;
inline constexpr std::string_view kSetAsideSuffix = ".damaged";

// Renames an unreadable journal to "<name>.damaged", lets it go and deletes
// the oldest set-aside journals beyond kKeepSetAside. The result names the
// renamed file.
CFileResult SetAside(COrphanJournal &orphan);

// The question asked at start: "Recuperar a medição interrompida?", the
// number of samples and the start time, why the run ended when it ended
// by itself, and what a damaged journal lost.
std::string RecoveryQuestion(const journal::JournalContent &content, FTranslate tr = SourceText);
