#pragma once

// Status bar texts of the run journal.
inline constexpr const char *kJournalWriteFailed = "Não é possível escrever o diário da medição: %1";
inline constexpr const char *kJournalReadFailed = "Não é possível ler o diário da medição: %1";
