// Starts the windows as the program does, in the language the environment
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) asks for, and prints what a user
// reads: menu titles, a dialog, a message box, the table headings, the file
// dialog's buttons and a printed page's first lines. It also saves the same
// samples as a data file, an .xls and an .xlsx into the folder it is given,
// so the files of two languages can be compared.
#include "app/AppLanguage.h"
#include "app/AppOptions.h"
#include "app/MainFrame.h"
#include "app/TarvikApp.h"
#include "forms/CommandIds.h"
#include "forms/DialogTemplate.h"
#include "monitor/MyVomoView.h"
#include "session/MeterSession.h"
#include "support/ScriptedPrompts.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

// Scripted answers; a save dialog of several types takes the type of the
// path it is answered with.
class CProbePrompts : public CScriptedPrompts {
public:
  std::optional<QString> GetSaveFileNameOfType(QWidget *parent, const QString &filter,
                                               const QString &defaultName, QString &selectedFilter) override {
    const QString suffix =
        m_paths.empty() || !m_paths.front() ? QString() : m_paths.front()->section('.', -1);
    for (const QString &f : filter.split(QStringLiteral(";;")))
      if (f.contains(QStringLiteral("*.") + suffix + QLatin1Char(')')))
        selectedFilter = f;
    return GetSaveFileName(parent, filter, defaultName);
  }
};

QString Shown(QString s) {
  return s.remove(QLatin1Char('&'));
}

void Print(const char *key, const QStringList &values) {
  std::printf("%s: %s\n", key, qPrintable(values.join(QLatin1Char('|'))));
}

// The title and texts of the modal window that `open` shows, closed unanswered.
QStringList ReadModal(const std::function<void()> &open) {
  QStringList texts;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget *w = QApplication::activeModalWidget();
    if (!w)
      return;
    poll.stop();
    texts << w->windowTitle();
    if (auto *box = qobject_cast<QMessageBox *>(w))
      texts << box->text();
    for (QObject *o : w->findChildren<QObject *>()) {
      if (auto *l = qobject_cast<QLabel *>(o);
          l && !l->text().isEmpty() && l != w->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        texts << Shown(l->text());
      else if (auto *b = qobject_cast<QAbstractButton *>(o); b && !b->text().isEmpty())
        texts << Shown(b->text());
      else if (auto *g = qobject_cast<QGroupBox *>(o))
        texts << Shown(g->title());
    }
    w->close();
  });
  poll.start(20);
  open();
  return texts;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tarvik_lang_probe OUTPUT_FOLDER\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString out = QString::fromLocal8Bit(argv[1]);
  QString reason;
  const AppTranslators translators = InstallLanguage(UserLanguage(std::nullopt), reason);
  if (!reason.isEmpty())
    std::fprintf(stderr, "%s\n", qPrintable(reason));

  CProbePrompts prompts;
  AppOptions options;
  options.bSimulate = true; // the dialogs that need a meter open
  options.strStateFolder = (out + QStringLiteral("/state")).toStdString();
  CTarvikApp tarvik(options, prompts);
  std::string strError;
  if (!tarvik.Start(strError)) {
    std::fprintf(stderr, "%s\n", strError.c_str());
    return 1;
  }
  tarvik.Show();
  if (!QTest::qWaitFor([&] { return !tarvik.Session().Reading().m_strCurTime.empty(); }, 10000)) {
    std::fprintf(stderr, "the simulated meter was not heard\n");
    return 1;
  }
  CMainFrame &frame = tarvik.Frame();

  QStringList menus;
  for (QAction *a : frame.menuBar()->actions())
    menus << Shown(a->text());
  Print("menus", menus);

  QStringList headings;
  if (auto *table = tarvik.View().findChild<QTableView *>())
    for (int c = 0; c < table->model()->columnCount(); ++c)
      headings << table->model()->headerData(c, Qt::Horizontal).toString();
  Print("headings", headings);

  Print("setup", ReadModal([&] { frame.Commands().Action(cmd::ID_SETUP)->trigger(); }));

  for (int k = 0; k < 20; ++k)
    tarvik.Stores().m_live.Emplace(
        60.4 + k % 7, "07-12-2026,01:45:" + QString::asprintf("%02d", k).toStdString(), "dBA", 0, 1.0);
  prompts.m_answers.push_back(IDCANCEL);
  tarvik.View().OnRun(); // asks what to do with the samples; the script cancels
  if (prompts.m_asked.empty()) {
    Print("question", {});
  } else {
    const CScriptedPrompts::Asked q = prompts.m_asked.back();
    CQtPrompts real;
    Print("question", ReadModal([&] {
            real.MessageBox(&frame, q.text, q.caption, q.buttons, CPrompts::Icon::Question);
          }));
  }

  QFileDialog files(&frame);
  files.setOption(QFileDialog::DontUseNativeDialog);
  QStringList fileButtons;
  for (QAbstractButton *b : files.findChild<QDialogButtonBox *>()->buttons())
    fileButtons << Shown(b->text());
  Print("filedialog", fileButtons);

  const QString pdf = out + QStringLiteral("/graph.pdf");
  prompts.m_makePrinter = [&pdf] {
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(pdf);
    return p;
  };
  frame.Commands().Action(cmd::ID_PRINT_GRAPH)->trigger();
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  text.waitForFinished(30000);
  QStringList page;
  for (const QString &l : QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\n')))
    if (!l.trimmed().isEmpty())
      page << l.simplified();
  Print("page", page);

  for (const char *name : {"data.txt", "data.xls", "data.xlsx"}) {
    prompts.m_paths.push_back(out + QLatin1Char('/') + QString::fromLatin1(name));
    frame.Commands()
        .Action(QString::fromLatin1(name).endsWith(QLatin1String(".txt")) ? cmd::ID_SAVE_AS
                                                                          : cmd::ID_EXPORT_EXCEL)
        ->trigger();
  }
  QStringList messages;
  for (const QString &m : prompts.Messages())
    messages << m;
  Print("messages", messages);
  tarvik.EndWithoutAsking();
  return 0;
}
