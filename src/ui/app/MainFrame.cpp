#include "app/MainFrame.h"

#include "app/AboutDlg.h"
#include "app/ManualLocation.h"
#include "app/ToolbarIcons.h"
#include "forms/CommandIds.h"
#include "forms/DialogTemplate.h"
#include "forms/UiTexts.h"
#include "kit/CommandTips.h"
#include "kit/Mnemonics.h"
#include "kit/Prompts.h"
#include "kit/TrStd.h"
#include "records/SampleStore.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QStatusBar>
#include <QStringList>
#include <QToolBar>
#include <QUrl>

using namespace cmd;

CMainFrame::CMainFrame(CDataStores &stores, CPrompts &prompts, QWidget *parent)
    : QMainWindow(parent), m_stores(stores), m_prompts(prompts), m_commands(this),
      m_strExeDir(QCoreApplication::applicationDirPath().toStdString()),
      m_strLocaleName(QLocale().name().toStdString()) {
  setWindowTitle(QStringLiteral("Tarvik"));
  setObjectName(QStringLiteral("mainFrame"));
  CreateActions();
  CreateMenus();
  AssignMnemonics(*menuBar()); // Alt+F opens "Ficheiro"
  CreateToolBar();
  CreateStatusBar();

  m_commands.SetHandler(ID_EXIT, [this] { close(); });
  m_commands.SetHandler(ID_HELP_CONTENTS, [this] { OnHelp(); });
  m_commands.SetHandler(ID_APP_ABOUT, [this] { OnAbout(); });
  m_commands.SetHandler(
      ID_VIEW_TOOLBAR, [this] { m_pToolBar->setHidden(!m_pToolBar->isHidden()); }, {},
      [this] { return !m_pToolBar->isHidden(); });
  m_commands.SetHandler(
      ID_VIEW_STATUS_BAR, [this] { statusBar()->setHidden(!statusBar()->isHidden()); }, {},
      [this] { return !statusBar()->isHidden(); });
}

void CMainFrame::CreateActions() {
  struct Item {
    int nId;
    const char *text;
  };
  static const Item items[] = {
      {ID_OPEN, QT_TRANSLATE_NOOP("MainWindow", "Abrir")},
      {ID_SAVE_AS, QT_TRANSLATE_NOOP("MainWindow", "Guardar como")},
      {ID_EXPORT_EXCEL, QT_TRANSLATE_NOOP("MainWindow", "Exportar para Excel")},
      {ID_PRINT_GRAPH, QT_TRANSLATE_NOOP("MainWindow", "Imprimir gráfico")},
      {ID_PRINT_TABLE, QT_TRANSLATE_NOOP("MainWindow", "Imprimir tabela")},
      {ID_EXIT, QT_TRANSLATE_NOOP("MainWindow", "Sair")},
      {ID_RUN, QT_TRANSLATE_NOOP("MainWindow", "Executar")},
      {ID_STOP, QT_TRANSLATE_NOOP("MainWindow", "Parar")},
      {ID_CLEAR, QT_TRANSLATE_NOOP("MainWindow", "Apagar os dados")},
      {ID_SETUP, QT_TRANSLATE_NOOP("MainWindow", "Configuração")},
      {ID_DOWNLOAD, QT_TRANSLATE_NOOP("MainWindow", "Registo")},
      {ID_PORT_MANUAL, QT_TRANSLATE_NOOP("MainWindow", "Manual")},
      {ID_PORT_AUTO, QT_TRANSLATE_NOOP("MainWindow", "Auto")},
      {ID_VIEW_TOOLBAR, QT_TRANSLATE_NOOP("MainWindow", "Barra de Ferramentas")},
      {ID_VIEW_STATUS_BAR, QT_TRANSLATE_NOOP("MainWindow", "Barra de estado")},
      {ID_COLOR_SET, QT_TRANSLATE_NOOP("MainWindow", "Configuração da cor")},
      {ID_HELP_CONTENTS, QT_TRANSLATE_NOOP("MainWindow", "Conteúdo")},
      {ID_APP_ABOUT, QT_TRANSLATE_NOOP("MainWindow", "Informações")},
  };
  for (const Item &it : items) {
    QAction *a = m_commands.Add(it.nId, TrIn("MainWindow", it.text));
    a->setIcon(CommandIcon(it.nId));
    a->setIconVisibleInMenu(false);
    a->setStatusTip(CommandTip(it.nId));
  }
  // The keys the menu has always shown, bound to these two commands in this
  // window only: the data logger window has its own Ctrl+O and Ctrl+S.
  m_commands.Action(ID_OPEN)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  m_commands.Action(ID_SAVE_AS)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  // A run starts and stops from the keyboard; Ctrl+P prints the graph, F1 opens the manual.
  m_commands.Action(ID_RUN)->setShortcut(QKeySequence(Qt::Key_F5));
  m_commands.Action(ID_STOP)->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
  m_commands.Action(ID_PRINT_GRAPH)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  m_commands.Action(ID_HELP_CONTENTS)->setShortcut(QKeySequence(Qt::Key_F1));

  auto *portGroup = new QActionGroup(this);
  portGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
  for (int nId : {ID_PORT_MANUAL, ID_PORT_AUTO}) {
    QAction *a = m_commands.Action(nId);
    a->setCheckable(true);
    portGroup->addAction(a);
  }
}

void CMainFrame::CreateMenus() {
  QMenuBar *bar = menuBar();
  auto addMenu = [&](const char *title, std::initializer_list<int> ids) {
    QMenu *m = bar->addMenu(TrIn("MainWindow", title));
    for (int nId : ids) {
      if (nId == 0)
        m->addSeparator();
      else
        m->addAction(m_commands.Action(nId));
    }
    connect(m, &QMenu::aboutToShow, &m_commands, &CCommandRouter::Update);
    return m;
  };
  addMenu(QT_TRANSLATE_NOOP("MainWindow", "Ficheiro"),
          {ID_OPEN, ID_SAVE_AS, ID_EXPORT_EXCEL, ID_PRINT_GRAPH, ID_PRINT_TABLE, 0, ID_EXIT});
  addMenu(QT_TRANSLATE_NOOP("MainWindow", "DataLogger"), {ID_RUN, ID_STOP, ID_CLEAR, ID_SETUP});
  bar->addAction(m_commands.Action(ID_DOWNLOAD)); // a command on the bar itself
  addMenu(QT_TRANSLATE_NOOP("MainWindow", "Porta"), {ID_PORT_MANUAL, ID_PORT_AUTO});
  addMenu(QT_TRANSLATE_NOOP("MainWindow", "Ver"), {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_COLOR_SET});
  addMenu(QT_TRANSLATE_NOOP("MainWindow", "Ajuda"), {ID_HELP_CONTENTS, ID_APP_ABOUT});
}

void CMainFrame::CreateToolBar() {
  m_pToolBar = addToolBar(QCoreApplication::translate("MainWindow", "Standard"));
  m_pToolBar->setObjectName(QStringLiteral("toolBar"));
  m_pToolBar->setIconSize(QSize(17, 15));
  for (int nId :
       {ID_OPEN, 0, ID_SAVE_AS, ID_EXPORT_EXCEL, ID_RUN, ID_STOP, 0, ID_PRINT_GRAPH, ID_APP_ABOUT}) {
    if (nId == 0)
      m_pToolBar->addSeparator();
    else
      m_pToolBar->addAction(m_commands.Action(nId));
  }
}

void CMainFrame::CreateStatusBar() {
  QStatusBar *sb = statusBar();
  sb->setObjectName(QStringLiteral("statusBar"));
  m_pRunEnd = new QLabel(sb);
  m_pRunEnd->setObjectName(QStringLiteral("paneRunEnd"));
  sb->addPermanentWidget(m_pRunEnd);
  m_pRunEnd->hide();
  m_pConnection = new QLabel(sb);
  m_pConnection->setObjectName(QStringLiteral("paneConnection"));
  sb->addPermanentWidget(m_pConnection);
  ShowConnection({});
  // The key indicators of the frame; Qt cannot read the lock keys' state, so
  // they are shown as the inactive panes.
  for (const char *key : {"CAP", "NUM", "SCRL"}) {
    auto *l = new QLabel(QString::fromLatin1(key), sb);
    l->setObjectName(QStringLiteral("pane") + QString::fromLatin1(key));
    l->setEnabled(false);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
    sb->addPermanentWidget(l);
  }
}

void CMainFrame::CloseWithoutAsking() {
  m_bAsk = false;
  close();
}

void CMainFrame::closeEvent(QCloseEvent *event) {
  if (m_bAsk && m_stores.AnyRecords() && !AskClose()) {
    event->ignore();
    return;
  }
  event->accept();
  emit closed();
}

bool CMainFrame::AskClose() {
  // The live samples can be saved first; downloaded ones only let go.
  const bool bLive = !m_stores.m_live.IsEmpty();
  switch (
      m_prompts.MessageBox(this, Tr(UiTexts::kCloseWindow), Tr(UiTexts::kTipCaption),
                           bLive ? CPrompts::Buttons::SaveDiscardCancel : CPrompts::Buttons::DiscardCancel)) {
  case CPrompts::IDSAVE:
    return m_saveLive && m_saveLive();
  case CPrompts::IDDISCARD:
    return true;
  default:
    return false;
  }
}

void CMainFrame::ShowConnection(const ConnectionStatus &status) {
  m_pConnection->setText(QString::fromStdString(ConnectionText(status, TrStd)));
}

void CMainFrame::ShowRunEnded(ERunEnd reason) {
  // A permanent field: a menu or toolbar tip passing over the bar keeps it.
  m_pRunEnd->setText(QString::fromStdString(RunEndText(reason, TrStd)));
  m_pRunEnd->setVisible(!m_pRunEnd->text().isEmpty());
}

void CMainFrame::ShowRunStarted() {
  m_pRunEnd->clear();
  m_pRunEnd->hide();
}

void CMainFrame::ShowDownloadEnded(EDownloadEnd reason) {
  statusBar()->showMessage(QString::fromStdString(DownloadEndText(reason, TrStd)));
}

void CMainFrame::OnHelp() {
  const ManualLookup found = FindManual(m_strExeDir, m_strLocaleName, [](const std::string &path) {
    return QFileInfo(QString::fromStdString(path)).isFile();
  });
  const QString caption = Tr(UiTexts::kHelpCaption);
  if (found.strFound.empty()) {
    QStringList tried;
    for (const std::string &c : found.candidates)
      tried << QString::fromStdString(c);
    m_prompts.MessageBox(this, Tr(UiTexts::kManualMissing).arg(tried.join('\n')), caption,
                         CPrompts::Buttons::Ok, CPrompts::Icon::Warning);
    return;
  }
  const QString path = QString::fromStdString(found.strFound);
  if (!m_prompts.OpenUrl(QUrl::fromLocalFile(path)))
    m_prompts.MessageBox(this, Tr(UiTexts::kManualNotOpened).arg(path), caption, CPrompts::Buttons::Ok,
                         CPrompts::Icon::Warning);
}

void CMainFrame::OnAbout() {
  CAboutDlg dlg(this);
  dlg.exec();
}
