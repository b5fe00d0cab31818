#include "app/QtCatalogue.h"
#include "lang/Language.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLocale>
#include <QTranslator>

#include <gtest/gtest.h>

#include <stdlib.h>

namespace {

// The labels of the file dialog's buttons, without their Alt marks.
QStringList FileDialogButtons() {
  QFileDialog dlg(nullptr, QString(), QString(), QStringLiteral("Data File(*.txt)"));
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setAcceptMode(QFileDialog::AcceptOpen);
  QStringList labels;
  for (QAbstractButton *b : dlg.findChild<QDialogButtonBox *>()->buttons())
    labels << b->text().remove(QLatin1Char('&'));
  labels.sort();
  return labels;
}

// Qt's file dialog speaks the program's Portuguese under a Portuguese
// locale and under the C locale alike.
TEST(QtCatalogue, FileDialogSaysAbrirAndCancelarWhateverTheLocale) {
  ASSERT_TRUE(FileDialogButtons().contains(QStringLiteral("Cancel"))); // Qt's own English before
  const QByteArray oldLang = qgetenv("LANG");
  for (const char *lang : {"pt_PT.UTF-8", "C"}) {
    SCOPED_TRACE(lang);
    ::setenv("LANG", lang, 1);
    QLocale::setDefault(QLocale(QString::fromLatin1(lang)));
    QString reason;
    const QtCatalogues t = InstallQtCatalogue(QString::fromUtf8(QtCatalogueLanguage(ELanguage::Original)), reason);
    ASSERT_FALSE(t.empty()) << reason.toStdString() << " (Debian's qt6-translations-l10n)";
    EXPECT_EQ(FileDialogButtons(), (QStringList{QStringLiteral("Abrir"), QStringLiteral("Cancelar")}));
  }
  ::setenv("LANG", oldLang.constData(), 1);
  QLocale::setDefault(QLocale::system());
  EXPECT_TRUE(FileDialogButtons().contains(QStringLiteral("Cancel"))); // removed with its translator
}

TEST(QtCatalogue, AnUnknownLanguageSaysWhereItLooked) {
  QString reason;
  EXPECT_TRUE(InstallQtCatalogue(QStringLiteral("xx_YY"), reason).empty());
  EXPECT_TRUE(reason.contains(QStringLiteral("xx_YY")));
}

} // namespace
