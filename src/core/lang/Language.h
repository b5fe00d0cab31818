#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The languages of the windows: the program's own texts (Portuguese menus and
// dialogs, Polish list headings and printed labels) or their English
// translation. Files, the meter's protocol and settings keys never change
// with it.
enum class ELanguage { Original, English };

// The value of --lang: "pt" or "en"; nothing for anything else.
std::optional<ELanguage> LanguageFromOption(std::string_view value);

// English when the first of the user's UI languages (as the system lists
// them, most wanted first: "en-GB", "pt-PT", "C") is English; the program's
// own texts otherwise, the C and POSIX locales included. `option` (--lang)
// overrides it.
ELanguage ChooseLanguage(std::optional<ELanguage> option, const std::vector<std::string> &uiLanguages);

// The locale name of Qt's own catalogue for the language: "pt_PT" or "en".
const char *QtCatalogueLanguage(ELanguage language);
