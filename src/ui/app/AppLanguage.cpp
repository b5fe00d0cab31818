#include "app/AppLanguage.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

AppTranslators::AppTranslators() = default;
AppTranslators::AppTranslators(AppTranslators &&) noexcept = default;
AppTranslators::~AppTranslators() = default;

ELanguage UserLanguage(std::optional<ELanguage> option) {
  std::vector<std::string> ui;
  for (const QString &s : QLocale::system().uiLanguages())
    ui.push_back(s.toStdString());
  return ChooseLanguage(option, ui);
}

AppTranslators InstallLanguage(ELanguage language, QString &reason) {
  AppTranslators t;
  if (language == ELanguage::English) {
    // Qt's own texts are English already; only the program's are translated.
    auto own = std::make_unique<QTranslator>();
    if (!own->load(QStringLiteral(":/i18n/tarvik_en.qm")) || !QCoreApplication::installTranslator(own.get()))
      reason = QStringLiteral("the English catalogue :/i18n/tarvik_en.qm is missing");
    else
      t.own = std::move(own);
    return t;
  }
  t.qt = InstallQtCatalogue(QString::fromUtf8(QtCatalogueLanguage(language)), reason);
  return t;
}
