#pragma once

// Texts of the run journal: status bar lines, and the one-time notice of a
// journal that cannot be recovered (%1 is where it was put, and why).
inline constexpr const char *kJournalWriteFailed = "Não é possível escrever o diário da medição: %1";
inline constexpr const char *kJournalReadFailed = "Não é possível ler o diário da medição: %1";
inline constexpr const char *kJournalSetAside =
    "O diário de uma medição interrompida não pode ser recuperado e foi posto de parte:\n%1";
