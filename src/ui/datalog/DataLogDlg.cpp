#include "datalog/DataLogDlg.h"

#include "assess/AssessDlg.h"
#include "assess/AssessTexts.h"
#include "datalog/RecordingList.h"
#include "forms/DataLogLayout.h"
#include "forms/DataLogTemplate.h"
#include "forms/UiTexts.h"
#include "graph/GraphHost.h"
#include "graph/GraphicsBtn.h"
#include "kit/CommandTips.h"
#include "kit/DialogBuilder.h"
#include "kit/ListStyle.h"
#include "kit/Mnemonics.h"
#include "kit/ReadoutTexts.h"
#include "kit/Tr.h"
#include "print/PrintCommands.h"
#include "records/SampleAcoustics.h"
#include "records/SampleRates.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

using namespace datalog;

namespace {
const QColor kFrameColour(170, 175, 195);
const QColor kRateBoxColour(100, 100, 100);
const QColor kCursorAColour(110, 30, 200);
const QColor kCursorBColour(0, 255, 0);

// The recordings' list; "Data, czas" and "Jednostka" as the printed table heads them.
struct Column {
  const char *head;
  int nWidth;
};
constexpr Column kColumns[] = {{QT_TRANSLATE_NOOP("DataLogger", "ID"), 31},
                               {QT_TRANSLATE_NOOP("DataLogger", "Data, czas"), 120},
                               {QT_TRANSLATE_NOOP("DataLogger", "Jednostka"), 55},
                               {QT_TRANSLATE_NOOP("DataLogger", "Sampling Rate"), 85},
                               {QT_TRANSLATE_NOOP("DataLogger", "Nums"), 45}};

QString TrDataLogger(const char *source) {
  return QCoreApplication::translate("DataLogger", source);
}

QString Q(const std::string &s) {
  return QString::fromStdString(s);
}
} // namespace

CDataLogDlg::CDataLogDlg(CDataStores &stores, CPrompts &prompts, LocalClock clock)
    : QDialog(nullptr), m_stores(stores), m_prompts(prompts), m_files(prompts, std::move(clock)) {
  setObjectName(QStringLiteral("DataLogDlg"));
  // Like the meter software, closing the main window ends the program even
  // while this window is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle(TemplateCaption(DataLogTemplate()));
  setAccessibleName(TemplateCaption(DataLogTemplate()));
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildMenu();
  layout->setMenuBar(m_pMenuBar);
  m_pScroll = new QScrollArea(this);
  m_pScroll->setObjectName(QStringLiteral("DataLogScroll"));
  m_pScroll->setFrameShape(QFrame::NoFrame);
  m_pScroll->setWidgetResizable(false);
  m_pScroll->setBackgroundRole(QPalette::Window);
  layout->addWidget(m_pScroll, 1);
  m_pStatusBar = new QStatusBar(this);
  m_pStatusBar->setObjectName(QStringLiteral("DataLogStatus"));
  layout->addWidget(m_pStatusBar);
}

CDataLogDlg::~CDataLogDlg() = default;

void CDataLogDlg::BuildMenu() {
  m_pMenuBar = new QMenuBar(this);
  auto add = [this](auto *where, int nId, const char *text, void (CDataLogDlg::*handler)()) {
    QAction *a = where->addAction(TrDataLogger(text));
    a->setObjectName(QStringLiteral("cmd%1").arg(nId));
    a->setData(nId);
    connect(a, &QAction::triggered, this, handler);
    a->setStatusTip(CommandTip(nId));
    m_actions[nId] = a;
  };
  add(m_pMenuBar, ID_IMPORT, QT_TRANSLATE_NOOP("DataLogger", "Importar"), &CDataLogDlg::OnImport);
  add(m_pMenuBar, ID_EXPORT, QT_TRANSLATE_NOOP("DataLogger", "Exportar"), &CDataLogDlg::OnExport);
  add(m_pMenuBar->addMenu(TrDataLogger(QT_TRANSLATE_NOOP("DataLogger", "Guardar"))), ID_SAVE_SELECTION,
      QT_TRANSLATE_NOOP("DataLogger", "Guardar seleção"), &CDataLogDlg::OnSaveSelection);
  QMenu *print = m_pMenuBar->addMenu(TrDataLogger(QT_TRANSLATE_NOOP("DataLogger", "Imprimir")));
  add(print, ID_PRINT_GRAPH, QT_TRANSLATE_NOOP("DataLogger", "Imprimir gráfico"), &CDataLogDlg::OnPrintGraph);
  add(print, ID_PRINT_TABLE, QT_TRANSLATE_NOOP("DataLogger", "Imprimir tabela"), &CDataLogDlg::OnPrintTable);
  QMenu *analysis = m_pMenuBar->addMenu(Tr(AssessTexts::kMenu));
  connect(analysis->addAction(Tr(AssessTexts::kWindowTitle)), &QAction::triggered, this,
          &CDataLogDlg::OnAnalysis);
  // The keys act in the window the user is in: here they import and save
  // the selection; the main window's own Ctrl+O and Ctrl+S stay there.
  m_actions[ID_IMPORT]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  m_actions[ID_SAVE_SELECTION]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  m_actions[ID_PRINT_GRAPH]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  AssignMnemonics(*m_pMenuBar);
  for (int nId : {ID_IMPORT, ID_SAVE_SELECTION, ID_PRINT_GRAPH}) {
    m_actions[nId]->setShortcutContext(Qt::WindowShortcut);
    addAction(m_actions[nId]); // also when the menu bar is hidden or scrolled away
  }
}

QAction *CDataLogDlg::Action(int nId) const {
  auto it = m_actions.find(nId);
  return it == m_actions.end() ? nullptr : it->second;
}

QTreeWidget *CDataLogDlg::List() const {
  return m_pList;
}

void CDataLogDlg::Create() {
  // A new window: every control starts afresh, the statistics block and
  // the cursor A index are members of the object and stay.
  if (m_pHost)
    m_nCursorA = m_pHost->CursorA();
  QWidget *old = std::exchange(m_pBody, nullptr);
  m_pList = nullptr;
  m_pGraph = nullptr;
  m_pHost = nullptr;
  delete old;
  m_pBody = new QWidget;
  m_pBody->setObjectName(QStringLiteral("DataLogBody"));
  CDialogBuilder builder(DataLogTemplate());
  builder.Build(m_pBody);
  m_pBody->setFixedSize(builder.DialogSize());
  m_pScroll->setWidget(m_pBody);

  const DlgControl &g = *DataLogTemplate().Find(datalog::IDC_GRAPH);
  m_pGraph = new CGraphicsBtn(m_prompts, m_pBody);
  m_pGraph->setGeometry(builder.ToPixels(g.x, g.y, g.cx, g.cy));
  m_pGraph->setAccessibleName(TemplateText(DataLogTemplate(), g.strAccessibleName));
  m_pHost = new CGraphHost(m_pBody, *m_pGraph, m_selection); // wires "Anular Zoom" and the scroll bars
  m_pHost->SetCursorA(m_nCursorA);

  QTreeWidget *list = m_pList = DlgItem<QTreeWidget>(m_pBody, IDC_LIST);
  list->setColumnCount(5);
  QStringList heads;
  for (const Column &c : kColumns)
    heads << TrDataLogger(c.head);
  list->setHeaderLabels(heads);
  for (int i = 0; i < 5; ++i) {
    list->headerItem()->setTextAlignment(i, Qt::AlignLeft | Qt::AlignVCenter);
    // Never narrower than its heading: "Jednostka" is wider than its 55 pixels.
    list->header()->resizeSection(i, std::max(kColumns[i].nWidth, list->header()->sectionSizeHint(i)));
  }
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setAllColumnsShowFocus(true);    // whole rows
  list->setStyleSheet(ListStyleSheet()); // grid lines, a readable selection
  list->viewport()->installEventFilter(this);
  list->installEventFilter(this);

  auto *rate = DlgItem<QComboBox>(m_pBody, IDC_RATE);
  for (const char *item : kSampleRateTexts)
    rate->addItem(QString::fromLatin1(item));
  rate->setCurrentIndex(-1);

  m_units = builder.Units();
  ApplyColours();
  if (const QScreen *screen = this->screen())
    FitTo(screen->availableGeometry());
  else
    ArrangeFor(m_pBody->width());

  SetDefaultView();
  FillRecordingList();
  m_selection.RemoveAll();
  DrawGraph();
}

void CDataLogDlg::FitTo(const QRect &available) {
  // The template's size plus the menu and status bars, as large as the
  // screen allows; the window frame's own margins come off as well.
  const QMargins frame = isVisible() ? QMargins(geometry().left() - frameGeometry().left(),
                                                geometry().top() - frameGeometry().top(),
                                                frameGeometry().right() - geometry().right(),
                                                frameGeometry().bottom() - geometry().bottom())
                                     : QMargins();
  ArrangeFor(available.width() - frame.left() - frame.right());
  const QSize full(m_pBody->width(),
                   m_pBody->height() + m_pMenuBar->sizeHint().height() + m_pStatusBar->sizeHint().height());
  const QSize room = available.marginsRemoved(frame).size();
  const QSize size = full.boundedTo(room);
  // Scroll bars take room of their own once the body does not fit.
  const int nBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  QSize wanted = size;
  if (full.width() > room.width())
    wanted.rheight() = std::min(room.height(), wanted.height() + nBar);
  if (full.height() > room.height())
    wanted.rwidth() = std::min(room.width(), wanted.width() + nBar);
  resize(wanted);
  // Keep the window on the screen, title bar included.
  QRect r(frameGeometry().topLeft(), wanted.grownBy(frame));
  if (!available.contains(r)) {
    r.moveRight(std::min(r.right(), available.right()));
    r.moveBottom(std::min(r.bottom(), available.bottom()));
    r.moveLeft(std::max(r.left(), available.left()));
    r.moveTop(std::max(r.top(), available.top()));
    move(r.topLeft());
  }
}

void CDataLogDlg::ArrangeFor(int nWidth) {
  const DlgTemplate &t = DataLogTemplate();
  // The list as wide as its columns, its frame and a scroll bar for many rows.
  int nListPx = 2 * m_pList->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  for (int i = 0; i < m_pList->columnCount(); ++i)
    nListPx += m_pList->header()->sectionSize(i);
  auto toUnits = [](int nPx, int nBase) { return (nPx * 4 + nBase - 1) / nBase; };
  const DataLogArrangement a =
      ArrangeDataLog(toUnits(nWidth, m_units.cx), std::min(toUnits(nListPx, m_units.cx), 206));
  auto px = [this](const datalog::DlgRect &r) { return DluToPixels(m_units, r.x, r.y, r.cx, r.cy); };
  for (QWidget *w : m_pBody->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
    const QVariant index = w->property(kTemplateIndex);
    if (!index.isValid())
      continue;
    const DlgControl &c = t.controls[static_cast<std::size_t>(index.toInt())];
    QRect r = px(PlaceControl(a, c));
    if (c.kind == CtlKind::ComboDropList)
      r.setHeight(w->height()); // the template's height is the open list's
    w->setGeometry(r);
  }
  m_pGraph->setGeometry(px(PlaceControl(a, *t.Find(datalog::IDC_GRAPH))));
  m_pBody->setFixedSize(DluToPixels(m_units, 0, 0, a.cx, a.cy).size());
}

bool CDataLogDlg::event(QEvent *e) {
  // A dialog has no status bar of its own to show the menus' tips.
  if (e->type() == QEvent::StatusTip) {
    m_pStatusBar->showMessage(static_cast<QStatusTipEvent *>(e)->tip());
    return true;
  }
  return QDialog::event(e);
}

void CDataLogDlg::ApplyColours() {
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kFrameColour);
  setPalette(pal);
  setAutoFillBackground(true);
  // Edits and scroll bars keep the system's colours.
  const QColor system = QApplication::palette().color(QPalette::Window);
  auto keepSystem = [&system](QWidget *w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, system); // set explicitly, or it is inherited
    w->setPalette(p);
  };
  for (QLineEdit *e : m_pBody->findChildren<QLineEdit *>())
    keepSystem(e);
  for (QScrollBar *s : m_pBody->findChildren<QScrollBar *>())
    keepSystem(s);
  auto *rate = DlgItem<QComboBox>(m_pBody, IDC_RATE);
  QPalette rp = rate->palette();
  rp.setColor(QPalette::Base, kRateBoxColour);
  rp.setColor(QPalette::Button, kRateBoxColour);
  rate->setPalette(rp);
  auto tint = [this](int nId, const QColor &c) {
    QLabel *l = DlgItem<QLabel>(m_pBody, nId);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, c);
    l->setPalette(p);
  };
  tint(IDC_CURSOR_A_LABEL, kCursorAColour);
  tint(IDC_CURSOR_B_LABEL, kCursorBColour);
}

void CDataLogDlg::FillRecordingList() {
  QTreeWidget *list = List();
  if (!list)
    return;
  list->clear();
  for (const RecordingRow &row : BuildRecordingList(m_stores.m_log)) {
    auto texts = RecordingRowTexts(row);
    auto *item = new QTreeWidgetItem(list);
    for (int i = 0; i < 5; ++i)
      item->setText(i, Q(texts[static_cast<std::size_t>(i)]));
  }
  // The scroll bars follow the graph, also for an empty list.
  m_pHost->UpdateFromGraph();
}

bool CDataLogDlg::eventFilter(QObject *obj, QEvent *e) {
  QTreeWidget *list = List();
  if (list && obj == list->viewport() && e->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
    OnListClick(static_cast<QMouseEvent *>(e)->position().toPoint());
  } else if (list && obj == list && e->type() == QEvent::KeyPress &&
             static_cast<QKeyEvent *>(e)->key() == Qt::Key_Space) {
    // The keyboard's way to pick the current row.
    if (QTreeWidgetItem *item = list->currentItem())
      SelectRow(list->indexOfTopLevelItem(item));
    return true;
  }
  return QDialog::eventFilter(obj, e);
}

void CDataLogDlg::OnListClick(const QPoint &pos) {
  QTreeWidget *list = List();
  DlgItem<QComboBox>(m_pBody, IDC_RATE)->setEnabled(true);
  m_pGraph->m_xSpan = 20; // with every click, also one beside the rows
  QTreeWidgetItem *item = list->itemAt(pos);
  if (!item)
    return;
  SelectRow(list->indexOfTopLevelItem(item));
}

void CDataLogDlg::SelectRow(int nRow) {
  QTreeWidget *list = List();
  QTreeWidgetItem *item = list ? list->topLevelItem(nRow) : nullptr;
  if (!item)
    return;
  DlgItem<QComboBox>(m_pBody, IDC_RATE)->setEnabled(true);
  m_pGraph->m_xSpan = 20;
  const int nGroup = item->text(0).toInt();
  const bool bAny = SelectRecording(m_stores.m_log, nGroup, m_selection, m_stat);
  const AcousticStats noise = SampleAcousticStats(m_selection, m_stat.dSampleRate);
  ShowReadoutTexts(m_pBody,
                   StatReadouts({m_stat, m_selection.GetSize(), noise, SampleLeqLabel(m_selection)}));
  ShowRate(m_stat.dSampleRate, bAny);
  SetDefaultView();
  DrawGraph();
  m_nSelectedGroup = nGroup;
  if (m_pAssess)
    m_pAssess->SetSamples(m_selection, RecordingSource(nGroup));
}

CAssessDlg *CDataLogDlg::Analysis() const {
  return m_pAssess;
}

void CDataLogDlg::OnAnalysis() {
  if (!m_pAssess)
    m_pAssess =
        new CAssessDlg(m_prompts, m_selection, false, RecordingSource(m_nSelectedGroup), nullptr, this);
  m_pAssess->show();
  m_pAssess->raise();
}

void CDataLogDlg::ShowRate(double dSampleRate, bool bAny) {
  auto *rate = DlgItem<QComboBox>(m_pBody, IDC_RATE);
  rate->setCurrentIndex(bAny ? RateIndex(dSampleRate) : -1);
  rate->setEnabled(false); // it only displays
}

void CDataLogDlg::ClearSelectionBeforeStoreChange() {
  m_selection.RemoveAll();
  DrawGraph();
  if (m_pAssess)
    m_pAssess->SetSamples(m_selection, QString());
}

void CDataLogDlg::SetDefaultView() {
  m_pGraph->SetDefaultView();
}

void CDataLogDlg::DrawGraph() {
  if (m_pGraph)
    m_pGraph->DrawGraph(m_selection);
}

void CDataLogDlg::ClearGraphCursors() {
  if (!m_pGraph)
    return;
  m_pGraph->m_cursorMode = kCursorIdle;
  m_pGraph->m_cursorA = -1;
  m_pGraph->m_cursorB = -1;
  m_pGraph->m_hoverPoint = {0, 0};
}

int CDataLogDlg::CursorA() const {
  return m_pHost ? m_pHost->CursorA() : m_nCursorA;
}

void CDataLogDlg::OnPrintGraph() {
  if (m_pGraph)
    PrintGraph(*m_pGraph, m_selection, m_stat, PrintHost{m_prompts, this, {}});
}

void CDataLogDlg::OnPrintTable() {
  PrintTable(m_selection, m_stat, PrintHost{m_prompts, this, {}});
}

void CDataLogDlg::OnImport() {
  auto res = m_files.ReadTextData(this, m_stores.m_log, [this] { ClearSelectionBeforeStoreChange(); });
  if (res != CDataFileCommands::Outcome::Done)
    return;
  FillRecordingList();
  m_selection.RemoveAll();
  DrawGraph();
}

void CDataLogDlg::OnExport() {
  m_files.ExportSpreadsheet(this, m_selection, m_stat, SheetVariant::DataLogger);
}

void CDataLogDlg::OnSaveSelection() {
  m_files.SaveTextData(this, m_selection);
}

void CDataLogDlg::closeEvent(QCloseEvent *e) {
  ClearGraphCursors();
  m_selection.RemoveAll();
  m_stores.m_log.RemoveAll();
  QDialog::closeEvent(e); // hides; the object stays with the main window
}

void CDataLogDlg::keyPressEvent(QKeyEvent *e) {
  if (e->modifiers() == Qt::NoModifier || e->modifiers() == Qt::KeypadModifier) {
    switch (e->key()) {
    case Qt::Key_Escape:
      reject();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // A focused button takes Enter as its click; anywhere else it ends
      // the window like an OK button would.
      if (auto *b = qobject_cast<QAbstractButton *>(focusWidget())) {
        b->click();
        return;
      }
      accept();
      return;
    default:
      break;
    }
  }
  QDialog::keyPressEvent(e);
}
