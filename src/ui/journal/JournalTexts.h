#pragma once

#include "lang/TrText.h"

// Texts of the run journal: status bar lines, and the one-time notice of a
// journal that cannot be recovered (%1 is where it was put, and why).
inline constexpr TrText kJournalWriteFailed =
    TARVIK_TR("Journal", "Não é possível escrever o diário da medição: %1");
inline constexpr TrText kJournalReadFailed =
    TARVIK_TR("Journal", "Não é possível ler o diário da medição: %1");
inline constexpr TrText kJournalSetAside = TARVIK_TR(
    "Journal", "O diário de uma medição interrompida não pode ser recuperado e foi posto de parte:\n%1");
