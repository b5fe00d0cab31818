#pragma once

#include "app/QtCatalogue.h"
#include "lang/Language.h"

#include <QString>

#include <memory>
#include <optional>

class QTranslator;

// The translators of one language, installed into the application while
// this lives: the program's own catalogue and Qt's for its dialogs.
struct AppTranslators {
  std::unique_ptr<QTranslator> own;
  QtCatalogues qt;
  AppTranslators();
  AppTranslators(AppTranslators &&) noexcept;
  ~AppTranslators();
};

// The language the windows speak: --lang when given, else the user's UI
// languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
ELanguage UserLanguage(std::optional<ELanguage> option);

// Installs the translators of `language`. A missing catalogue leaves that
// part in the source texts and says why in `reason`; it never stops the program.
AppTranslators InstallLanguage(ELanguage language, QString &reason);
