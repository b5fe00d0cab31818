#include "app/MainFrame.h"
#include "TarvikVersion.h"
#include "app/AppOptions.h"
#include "files/TempDir.h"
#include "forms/CommandIds.h"
#include "forms/DialogTemplate.h"
#include "records/SampleStore.h"
#include "support/ScriptedPrompts.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace {

using namespace cmd;

QString Shown(QString text) {
  return text.remove(QLatin1Char('&'));
}

struct FrameFixture : ::testing::Test {
  CDataStores stores;
  CScriptedPrompts prompts;
  CMainFrame frame{stores, prompts};

  // Menu titles and, per menu, "text:id" of each item ("-" a separator), as
  // shown: the Alt letter's "&" is not a character on screen.
  std::vector<std::pair<QString, std::vector<QString>>> MenuLayout() {
    std::vector<std::pair<QString, std::vector<QString>>> out;
    for (QAction *top : frame.menuBar()->actions()) {
      std::vector<QString> items;
      if (QMenu *m = top->menu()) {
        for (QAction *a : m->actions())
          items.push_back(a->isSeparator() ? QStringLiteral("-")
                                           : Shown(a->text()) + ":" + QString::number(a->data().toInt()));
      } else {
        items.push_back(QString::number(top->data().toInt()));
      }
      out.emplace_back(Shown(top->text()), items);
    }
    return out;
  }
};

// Every menu title and item has an Alt letter of its own within its menu,
// and the keys of the manual's keyboard table reach their commands.
TEST_F(FrameFixture, EveryMenuItemHasItsAltLetterAndTheKeysTheirCommands) {
  auto letters = [](const QList<QAction *> &actions) {
    std::set<QChar> seen;
    for (QAction *a : actions) {
      if (a->isSeparator())
        continue;
      const qsizetype at = a->text().indexOf(QLatin1Char('&'));
      EXPECT_GE(at, 0) << a->text().toStdString();
      if (at >= 0) {
        EXPECT_TRUE(seen.insert(a->text().at(at + 1).toLower()).second) << a->text().toStdString();
      }
    }
  };
  letters(frame.menuBar()->actions());
  for (QAction *top : frame.menuBar()->actions())
    if (top->menu())
      letters(top->menu()->actions());
  const std::pair<int, QKeySequence> keys[] = {{ID_RUN, QKeySequence(Qt::Key_F5)},
                                               {ID_STOP, QKeySequence(Qt::SHIFT | Qt::Key_F5)},
                                               {ID_PRINT_GRAPH, QKeySequence(Qt::CTRL | Qt::Key_P)},
                                               {ID_HELP_CONTENTS, QKeySequence(Qt::Key_F1)},
                                               {ID_OPEN, QKeySequence(Qt::CTRL | Qt::Key_O)}};
  for (const auto &[nId, key] : keys)
    EXPECT_EQ(frame.Commands().Action(nId)->shortcut(), key) << nId;
  // F5 on the window runs "Executar".
  int nRuns = 0;
  frame.Commands().SetHandler(ID_RUN, [&] { ++nRuns; });
  frame.Commands().Update();
  frame.show();
  frame.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
  QTest::keyClick(&frame, Qt::Key_F5);
  EXPECT_EQ(nRuns, 1);
}

TEST_F(FrameFixture, MenuBarHasEveryItemWithItsId) {
  EXPECT_EQ(frame.windowTitle(), "Tarvik");
  auto layout = MenuLayout();
  ASSERT_EQ(layout.size(), 6u);
  EXPECT_EQ(layout[0].first, "Ficheiro");
  EXPECT_EQ(layout[0].second,
            (std::vector<QString>{"Abrir:32790", "Guardar como:32786", "Exportar para Excel:32785",
                                  "Imprimir gráfico:32802", "Imprimir tabela:32796", "-", "Sair:32788"}));
  EXPECT_EQ(layout[1].first, "DataLogger");
  EXPECT_EQ(layout[1].second, (std::vector<QString>{"Executar:32771", "Parar:32772", "Apagar os dados:32773",
                                                    "Configuração:32791"}));
  EXPECT_EQ(layout[2].first, "Registo"); // a command on the bar itself
  EXPECT_EQ(layout[2].second, std::vector<QString>{"32780"});
  EXPECT_EQ(layout[3].first, "Porta");
  EXPECT_EQ(layout[3].second, (std::vector<QString>{"Manual:32815", "Auto:32816"}));
  EXPECT_EQ(layout[4].first, "Ver");
  EXPECT_EQ(layout[4].second, (std::vector<QString>{"Barra de Ferramentas:59392", "Barra de estado:59393",
                                                    "Configuração da cor:32817"}));
  EXPECT_EQ(layout[5].first, "Ajuda");
  EXPECT_EQ(layout[5].second, (std::vector<QString>{"Conteúdo:32799", "Informações:57664"}));
}

TEST_F(FrameFixture, ToolbarOrderShortcutsAndStatusPanes) {
  std::vector<int> ids;
  for (QAction *a : frame.ToolBar()->actions())
    ids.push_back(a->isSeparator() ? 0 : a->data().toInt());
  EXPECT_EQ(ids, (std::vector<int>{32790, 0, 32786, 32785, 32771, 32772, 0, 32802, 57664}));
  for (QAction *a : frame.ToolBar()->actions()) {
    if (!a->isSeparator()) {
      EXPECT_FALSE(a->icon().isNull()) << a->text().toStdString();
    }
  }
  EXPECT_EQ(frame.Commands().Action(ID_OPEN)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
  EXPECT_EQ(frame.Commands().Action(ID_SAVE_AS)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
  for (const char *pane : {"paneCAP", "paneNUM", "paneSCRL"})
    EXPECT_NE(frame.statusBar()->findChild<QWidget *>(pane), nullptr) << pane;
}

TEST_F(FrameFixture, CommandsWithoutHandlersAreDisabledAndCtrlOReachesAbrir) {
  frame.Commands().Update();
  for (int nId :
       {ID_OPEN, ID_SAVE_AS, ID_EXPORT_EXCEL, ID_PRINT_GRAPH, ID_PRINT_TABLE, ID_DOWNLOAD, ID_COLOR_SET})
    EXPECT_FALSE(frame.Commands().Action(nId)->isEnabled()) << nId;
  for (int nId : {ID_EXIT, ID_HELP_CONTENTS, ID_APP_ABOUT, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR})
    EXPECT_TRUE(frame.Commands().Action(nId)->isEnabled()) << nId;
  int nOpened = 0;
  frame.Commands().SetHandler(ID_OPEN, [&] { ++nOpened; });
  EXPECT_TRUE(frame.Commands().Action(ID_OPEN)->isEnabled());
  frame.Commands().Action(ID_OPEN)->trigger();
  EXPECT_EQ(nOpened, 1);
}

TEST_F(FrameFixture, VerTogglesBothBars) {
  frame.show();
  frame.Commands().Execute(ID_VIEW_TOOLBAR);
  EXPECT_TRUE(frame.ToolBar()->isHidden());
  EXPECT_FALSE(frame.Commands().Action(ID_VIEW_TOOLBAR)->isChecked());
  frame.Commands().Execute(ID_VIEW_STATUS_BAR);
  EXPECT_TRUE(frame.statusBar()->isHidden());
  frame.Commands().Execute(ID_VIEW_TOOLBAR);
  frame.Commands().Execute(ID_VIEW_STATUS_BAR);
  EXPECT_FALSE(frame.ToolBar()->isHidden());
  EXPECT_FALSE(frame.statusBar()->isHidden());
  EXPECT_TRUE(frame.Commands().Action(ID_VIEW_STATUS_BAR)->isChecked());
}

TEST_F(FrameFixture, CloseAsksOnlyWhileAStoreHoldsARecord) {
  int nClosed = 0;
  QObject::connect(&frame, &CMainFrame::closed, [&] { ++nClosed; });
  frame.show();
  EXPECT_TRUE(frame.close());
  EXPECT_TRUE(prompts.m_asked.empty());
  EXPECT_EQ(nClosed, 1);

  // Live samples can be saved first; the window closes only once they are.
  frame.show();
  stores.m_live.Emplace(60.0, "01-01-2026,00:00:00", "dBA", 0, 1.0);
  bool bSaves = false;
  int nSaves = 0;
  frame.SetSaveLive([&] { return ++nSaves, bSaves; });
  prompts.m_answers = {IDCANCEL, CPrompts::IDSAVE};
  EXPECT_FALSE(frame.close());
  EXPECT_FALSE(frame.close()); // the save dialog was cancelled
  EXPECT_EQ(nSaves, 1);
  EXPECT_EQ(nClosed, 1);
  ASSERT_EQ(prompts.m_asked.size(), 2u);
  EXPECT_EQ(prompts.m_asked[0].text, "Close Window?");
  EXPECT_EQ(prompts.m_asked[0].caption, "Tip");
  EXPECT_EQ(prompts.m_asked[0].buttons, CPrompts::Buttons::SaveDiscardCancel);
  EXPECT_TRUE(frame.isVisible());
  bSaves = true;
  prompts.m_answers = {CPrompts::IDSAVE};
  EXPECT_TRUE(frame.close());
  EXPECT_EQ(nClosed, 2);

  // "Sair" takes the same road; downloaded samples can only be let go.
  frame.show();
  stores.m_live.RemoveAll();
  stores.m_log.Emplace(60.0, "01-01-2026,0:00:00", "dBA", 1, 1.0);
  prompts.m_asked.clear();
  prompts.m_answers = {IDCANCEL, CPrompts::IDDISCARD};
  frame.Commands().Execute(ID_EXIT);
  EXPECT_TRUE(frame.isVisible());
  frame.Commands().Execute(ID_EXIT);
  EXPECT_FALSE(frame.isVisible());
  ASSERT_EQ(prompts.m_asked.size(), 2u);
  EXPECT_EQ(prompts.m_asked[1].buttons, CPrompts::Buttons::DiscardCancel);
  EXPECT_EQ(nClosed, 3);
}

TEST_F(FrameFixture, HelpOpensTheManualInTheUsersLanguageOrSaysWhereItLooked) {
  CTempDir dir;
  const std::filesystem::path exe = dir.Path() / "bin";
  std::filesystem::create_directories(exe);
  frame.SetManualSearch(exe.string(), "en_GB");
  frame.Commands().Execute(ID_HELP_CONTENTS);
  ASSERT_EQ(prompts.m_asked.size(), 1u);
  EXPECT_EQ(prompts.m_asked[0].kind, "message");
  EXPECT_EQ(prompts.m_asked[0].caption, "Ajuda");
  // Every place tried is named, the installed one first.
  const QString where = prompts.m_asked[0].text;
  EXPECT_TRUE(where.startsWith(QString::fromUtf8("O manual do utilizador não foi encontrado.")));
  const QString share = QString::fromStdString((dir.Path() / "share/tarvik/manual/en/index.html").string());
  const QString build = QString::fromStdString((exe / "manual/en/index.html").string());
  ASSERT_TRUE(where.contains(share)) << where.toStdString();
  EXPECT_LT(where.indexOf(share), where.indexOf(build));

  // Only the Portuguese manual of the build tree: English users get it too.
  std::filesystem::create_directories(exe / "manual/pt");
  std::ofstream(exe / "manual/pt/index.html") << "<html></html>";
  frame.Commands().Execute(ID_HELP_CONTENTS);
  ASSERT_EQ(prompts.m_asked.size(), 2u);
  EXPECT_EQ(prompts.m_asked[1].kind, "url");
  EXPECT_EQ(prompts.m_asked[1].text,
            QUrl::fromLocalFile(QString::fromStdString((exe / "manual/pt/index.html").string())).toString());

  // The installed English one wins once it is there.
  std::filesystem::create_directories(dir.Path() / "share/tarvik/manual/en");
  std::ofstream(dir.Path() / "share/tarvik/manual/en/index.html") << "<html></html>";
  prompts.m_bUrlOpens = false; // and a viewer that fails is reported
  frame.Commands().Execute(ID_HELP_CONTENTS);
  ASSERT_EQ(prompts.m_asked.size(), 4u);
  EXPECT_EQ(prompts.m_asked[2].text, QUrl::fromLocalFile(share).toString());
  EXPECT_EQ(prompts.m_asked[3].kind, "message");
  EXPECT_TRUE(prompts.m_asked[3].text.contains(share));
}

TEST_F(FrameFixture, EveryCommandShowsItsStatusTextUnderTheMouse) {
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  std::set<int> seen;
  for (QAction *top : frame.menuBar()->actions()) {
    QList<QAction *> items = top->menu() ? top->menu()->actions() : QList<QAction *>{top};
    for (QAction *a : items) {
      if (a->isSeparator())
        continue;
      EXPECT_FALSE(a->statusTip().isEmpty()) << a->text().toStdString();
      seen.insert(a->data().toInt());
    }
  }
  EXPECT_EQ(seen.size(), 18u);
  EXPECT_EQ(frame.Commands().Action(ID_DOWNLOAD)->statusTip(), "Executar o Registo de dados");

  // A toolbar button under the mouse puts its text in the status bar.
  frame.Commands().Update();
  for (QAction *a : frame.ToolBar()->actions()) {
    if (a->isSeparator())
      continue;
    QWidget *button = frame.ToolBar()->widgetForAction(a);
    QTest::mouseMove(button, button->rect().center());
    QTest::qWait(20);
    EXPECT_EQ(frame.statusBar()->currentMessage(), a->statusTip()) << a->text().toStdString();
    QTest::mouseMove(frame.centralWidget() ? frame.centralWidget() : &frame, QPoint(5, 200));
  }
}

TEST_F(FrameFixture, StatusBarTellsTheConnectionAndWhyThingsEnded) {
  QLabel *pane = frame.ConnectionPane();
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(pane->text(), QString::fromUtf8("A procurar o medidor…"));
  frame.ShowConnection({ConnectionStatus::Port::Open, "/dev/ttyUSB0", true});
  EXPECT_EQ(pane->text(), QString::fromUtf8("/dev/ttyUSB0: o medidor está a enviar dados"));
  frame.show();
  frame.ShowRunEnded(ERunEnd::User);
  EXPECT_TRUE(frame.RunEndPane()->text().isEmpty()); // the user knows why
  EXPECT_FALSE(frame.RunEndPane()->isVisible());
  frame.ShowRunEnded(ERunEnd::HoldSignal);
  // Hovering a toolbar button and leaving it wipes the bar's message, not the field.
  QWidget *button = frame.ToolBar()->widgetForAction(frame.Commands().Action(ID_RUN));
  QTest::mouseMove(button, button->rect().center());
  QTest::qWait(20);
  QTest::mouseMove(&frame, QPoint(5, 200));
  QTest::qWait(20);
  EXPECT_EQ(frame.RunEndPane()->text(), "Medição parada pela tecla HOLD do medidor");
  EXPECT_TRUE(frame.RunEndPane()->isVisible());
  EXPECT_EQ(frame.RunEndPane()->parentWidget(), frame.statusBar());
  frame.ShowRunStarted();
  EXPECT_TRUE(frame.RunEndPane()->text().isEmpty());
  frame.ShowDownloadEnded(EDownloadEnd::Watchdog);
  EXPECT_EQ(frame.statusBar()->currentMessage(),
            QString::fromUtf8("O Registo de dados falhou: O Registo de dados não terminou a tempo."));
}

// The about box names the version that --version and the package carry.
TEST_F(FrameFixture, AboutBoxShowsTheProgramsVersionAndCloses) {
  QString title;
  QStringList texts;
  QTimer::singleShot(0, [&] {
    if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
      title = d->windowTitle();
      for (QLabel *l : d->findChildren<QLabel *>())
        texts << l->text();
      d->accept();
    }
  });
  frame.Commands().Execute(ID_APP_ABOUT);
  EXPECT_EQ(title, "Acerca de Tarvik");
  EXPECT_TRUE(texts.contains(QString::fromUtf8("Tarvik, Versão ") + kTarvikVersion))
      << texts.join('|').toStdString();
  EXPECT_EQ(QString::fromUtf8(kTarvikVersion),
            QString::fromStdString(AppVersionText()).section(' ', 1, 1).trimmed());
}

TEST_F(FrameFixture, DeviceArrivalIsForwarded) {
  int n = 0;
  QObject::connect(&frame, &CMainFrame::deviceArrived, [&] { ++n; });
  frame.OnDeviceArrived();
  EXPECT_EQ(n, 1);
}

} // namespace
