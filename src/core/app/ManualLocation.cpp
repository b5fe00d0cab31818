#include "app/ManualLocation.h"

#include <filesystem>

std::string ManualLanguage(const std::string &strLocaleName) {
  return strLocaleName.rfind("en", 0) == 0 ? "en" : "pt";
}

ManualLookup FindManual(const std::string &strExeDir, const std::string &strLocaleName,
                        const std::function<bool(const std::string &)> &exists) {
  namespace fs = std::filesystem;
  const fs::path exe(strExeDir);
  const fs::path roots[] = {exe / ".." / "share" / "tarvik" / "manual", exe / "manual"};
  std::vector<std::string> languages{ManualLanguage(strLocaleName)};
  if (languages.front() != "pt")
    languages.push_back("pt");
  ManualLookup r;
  for (const std::string &lang : languages)
    for (const fs::path &root : roots)
      r.candidates.push_back((root / lang / "index.html").lexically_normal().string());
  for (const std::string &c : r.candidates) {
    if (exists(c)) {
      r.strFound = c;
      break;
    }
  }
  return r;
}
