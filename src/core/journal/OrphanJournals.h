#pragma once

#include "journal/JournalFile.h"
#include "journal/JournalFormat.h"

#include <string>
#include <vector>

// A journal whose writer is gone: locked now by us, with what it holds.
struct COrphanJournal {
  CJournalFile file;
  journal::JournalContent content;
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
// files of a creation that died half-way are deleted. `problems` gets one
// line per file that could not be read.
std::vector<COrphanJournal> FindOrphanJournals(const std::string &strFolder,
                                               std::vector<std::string> &problems);

// Renames an unreadable journal to "<name>.damaged" and lets it go.
CFileResult SetAside(COrphanJournal &orphan);

// The question asked at start: "Recuperar a medição interrompida?", the
// number of samples and the start time, and what a damaged journal lost.
std::string RecoveryQuestion(const journal::JournalContent &content);
