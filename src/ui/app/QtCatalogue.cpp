#include "app/QtCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QtCatalogues InstallQtCatalogue(const QString &language, QString &reason) {
  const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  QtCatalogues installed;
  if (QLocale(language).language() == QLocale::C) {
    reason = QStringLiteral("no such language: %1").arg(language);
    return installed; // Qt's own English
  }
  auto install = [&installed](std::unique_ptr<QTranslator> t) {
    if (!t->isEmpty() && QCoreApplication::installTranslator(t.get()))
      installed.push_back(std::move(t));
  };
  // Debian ships Qt 6's base module for some regions only ("qtbase_pt_BR")
  // and older catalogues of all modules for others ("qt_pt_PT"), which lack
  // a few newer texts. The language's other regions fill those gaps; the
  // region's own catalogues, installed last, are asked first.
  const QString strLang = QLocale(language).name().section(QLatin1Char('_'), 0, 0);
  for (const QString &file :
       QDir(dir).entryList({QStringLiteral("qtbase_%1*.qm").arg(strLang)}, QDir::Files)) {
    auto t = std::make_unique<QTranslator>();
    if (t->load(file, dir))
      install(std::move(t));
  }
  for (const char *name : {"qtbase", "qt"}) {
    auto t = std::make_unique<QTranslator>();
    if (t->load(QLocale(language), QString::fromLatin1(name), QStringLiteral("_"), dir))
      install(std::move(t));
  }
  if (installed.empty())
    reason = QStringLiteral("no Qt catalogue for %1 in %2").arg(language, dir);
  return installed;
}
