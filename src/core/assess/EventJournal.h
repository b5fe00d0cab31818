#pragma once

#include "assess/AssessResult.h"
#include "assess/AssessSettings.h"
#include "files/FileResult.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The live run's assessment beside its journal ("<journal>.events"): a
// settings line whenever the settings change, then one line per event as
// it ends. A recovered run takes the last settings back, so its events come
// out as they were; the event lines say what was seen before the crash.
std::string EventJournalPath(const std::string &strJournalPath);
std::string SettingsJournalLine(const AssessSettings &s);
std::string EventJournalLine(const NoiseEvent &e);

struct JournalledAssessment {
  std::optional<AssessSettings> settings; // the last settings line
  std::vector<NoiseEvent> events;         // the events after it
};
// Lines that do not read whole (the last one cut by a crash) are left out.
JournalledAssessment ParseEventJournal(std::string_view text);

// Removes the files beside journals that are gone from `strFolder` (a
// recovery declined, a run let go while the program was not running).
void RemoveEventJournalsWithoutJournal(const std::string &strFolder);

// Appends to the file, creating it; the reason when the system refuses.
CFileResult AppendToFile(const std::string &strPath, std::string_view bytes);
