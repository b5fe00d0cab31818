#pragma once

#include "journal/JournalFormat.h"

class CSampleStore;
struct StatData;

// Fills the live store with a journal's samples and computes their
// statistics as the run's ticks did, so the store looks as if the run had
// just stopped. The store's old records are destroyed first.
void LoadRecoveredRun(const journal::JournalContent &content, CSampleStore &live, StatData &stat);
