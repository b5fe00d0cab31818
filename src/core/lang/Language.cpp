#include "lang/Language.h"

std::optional<ELanguage> LanguageFromOption(std::string_view value) {
  if (value == "pt")
    return ELanguage::Original;
  if (value == "en")
    return ELanguage::English;
  return std::nullopt;
}

ELanguage ChooseLanguage(std::optional<ELanguage> option, const std::vector<std::string> &uiLanguages) {
  if (option)
    return *option;
  if (uiLanguages.empty())
    return ELanguage::Original;
  const std::string &first = uiLanguages.front();
  // "en", "en-US", "en_GB.UTF-8"; not "eo" or "enx"
  const bool bEnglish = first.size() >= 2 && first.compare(0, 2, "en") == 0 &&
                        (first.size() == 2 || first[2] == '-' || first[2] == '_' || first[2] == '.');
  return bEnglish ? ELanguage::English : ELanguage::Original;
}

const char *QtCatalogueLanguage(ELanguage language) {
  return language == ELanguage::English ? "en" : "pt_PT";
}
