#pragma once

#include <functional>
#include <string>
#include <vector>

// Where "Conteúdo" finds the user manual: installed beside the program's
// share folder (<exe dir>/../share/tarvik/manual) or in the build tree
// (<exe dir>/manual), in the user's language ("en" for English locales,
// Portuguese otherwise) and in Portuguese when that one is missing.
struct ManualLookup {
  std::vector<std::string> candidates; // index.html paths tried, in order
  std::string strFound;                // the first that exists; empty when none
};

// "en" for a locale name starting with "en" ("en_GB.UTF-8", "en-US"), else "pt".
std::string ManualLanguage(const std::string &strLocaleName);

ManualLookup FindManual(const std::string &strExeDir, const std::string &strLocaleName,
                        const std::function<bool(const std::string &)> &exists);
