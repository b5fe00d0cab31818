#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

namespace {

using Lines = std::map<QString, QString>;

// What the program shows when started with LANG=`lang` and nothing else
// naming a language; its saved files land in `folder`.
Lines ProbeUnder(const char *lang, const QString &folder) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
    env.remove(QString::fromLatin1(name));
  env.insert(QStringLiteral("LANG"), QString::fromLatin1(lang));
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
  QProcess probe;
  probe.setProcessEnvironment(env);
  probe.start(QStringLiteral(TARVIK_LANG_PROBE), {folder});
  EXPECT_TRUE(probe.waitForFinished(60000));
  EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
  Lines lines;
  for (const QString &l : QString::fromUtf8(probe.readAllStandardOutput()).split(QLatin1Char('\n')))
    if (const qsizetype at = l.indexOf(QStringLiteral(": ")); at > 0)
      lines[l.left(at)] = l.mid(at + 2);
  return lines;
}

// A file's bytes; a workbook's parts but for the time it was made.
QByteArray FileBytes(const QString &path) {
  if (path.endsWith(QLatin1String(".xlsx"))) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"),
                {QStringLiteral("-p"), path, QStringLiteral("-x"), QStringLiteral("docProps/core.xml")});
    EXPECT_TRUE(unzip.waitForFinished(30000));
    return unzip.readAllStandardOutput();
  }
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
  return f.readAll();
}

struct Expected {
  const char *lang;
  const char *menus, *headings, *setupTitle, *fileButtons, *question, *questionButtons, *pageTitle;
};

const char *const kOriginalMenus = "Ficheiro|DataLogger|Registo|Porta|Ver|Análise|Ajuda";
const char *const kOriginalHeadings = "ID|Data, czas|Jednostka|Wartość";

} // namespace

// English when the user's language is English; the program's own texts in
// any other language and in the C locale, with Qt's dialogs agreeing.
TEST(LanguageMatrix, WindowsPagesAndDialogsFollowTheUsersLanguage) {
  const Expected cases[] = {
      {"en_US.UTF-8", "File|Data Logger|Record|Port|View|Analysis|Help", "ID|Date, time|Unit|Value",
       "Recording Setup", "Open|Cancel", "Save the current data?", "Save…|Discard|Cancel", "Real-time curve"},
      {"pt_PT.UTF-8", kOriginalMenus, kOriginalHeadings, "Configuração registro", "Abrir|Cancelar",
       "Zapisz bieżące dane", "Guardar…|Descartar|Cancelar", "Krzywa w czasie rzeczywistym"},
      {"pl_PL.UTF-8", kOriginalMenus, kOriginalHeadings, "Configuração registro", "Abrir|Cancelar",
       "Zapisz bieżące dane", "Guardar…|Descartar|Cancelar", "Krzywa w czasie rzeczywistym"},
      {"C", kOriginalMenus, kOriginalHeadings, "Configuração registro", "Abrir|Cancelar",
       "Zapisz bieżące dane", "Guardar…|Descartar|Cancelar", "Krzywa w czasie rzeczywistym"},
  };
  std::map<std::string, QString> folders;
  std::vector<std::unique_ptr<QTemporaryDir>> dirs;
  for (const Expected &e : cases) {
    SCOPED_TRACE(e.lang);
    dirs.push_back(std::make_unique<QTemporaryDir>());
    const QString folder = dirs.back()->path();
    folders[e.lang] = folder;
    Lines shown = ProbeUnder(e.lang, folder);
    EXPECT_EQ(shown["menus"].toStdString(), e.menus);
    EXPECT_EQ(shown["headings"].toStdString(), e.headings);
    EXPECT_EQ(shown["filedialog"].toStdString(), e.fileButtons);
    const QStringList question = shown["question"].split(QLatin1Char('|'));
    EXPECT_TRUE(question.contains(QString::fromUtf8(e.question))) << shown["question"].toStdString();
    for (const QString &button : QString::fromUtf8(e.questionButtons).split(QLatin1Char('|')))
      EXPECT_TRUE(question.contains(button)) << button.toStdString();
    EXPECT_TRUE(shown["page"].startsWith(QString::fromUtf8(e.pageTitle))) << shown["page"].toStdString();
    EXPECT_EQ(shown["setup"].section(QLatin1Char('|'), 0, 0).toStdString(), e.setupTitle);
    EXPECT_EQ(shown["messages"].count(QLatin1Char('|')), 0)
        << "one question only: " << shown["messages"].toStdString();
  }
  // The files never change with the language: they stay exchangeable.
  for (const char *name : {"data.txt", "data.xls", "data.xlsx"}) {
    SCOPED_TRACE(name);
    const QByteArray original =
        FileBytes(folders["pt_PT.UTF-8"] + QLatin1Char('/') + QString::fromLatin1(name));
    EXPECT_GT(original.size(), 100);
    EXPECT_EQ(FileBytes(folders["en_US.UTF-8"] + QLatin1Char('/') + QString::fromLatin1(name)), original);
  }
}
