#pragma once

#include <QString>

#include <memory>
#include <vector>

class QTranslator;

using QtCatalogues = std::vector<std::unique_ptr<QTranslator>>;

// Qt's own texts (file, print and colour dialogs, context menus) in the
// language of the program's menus, whatever the system's locale: Qt's
// catalogues for `language` ("pt_PT"), installed into the application while
// the returned translators live. Empty, with `reason` set, when none is found.
QtCatalogues InstallQtCatalogue(const QString &language, QString &reason);
