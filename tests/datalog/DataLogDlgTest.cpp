#include "datalog/DataLogDlg.h"
#include "../files/TempDir.h"
#include "app/MainFrame.h"
#include "datalog/DataLogHolder.h"
#include "forms/CommandIds.h"
#include "forms/DataLogTemplate.h"
#include "kit/DialogBuilder.h"
#include "support/FixedTime.h"
#include "support/ScriptedPrompts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <cerrno>
#include <system_error>

using namespace datalog;

namespace {

std::tm FixedTime() {
  return FixedLocalTime(2026, 12, 7, 1, 45);
}

class DataLogDlgTest : public ::testing::Test {
protected:
  void SetUp() override {
    for (int i = 0; i < 5; ++i)
      m_stores.m_log.Emplace(60.0 + i, "07-12-2026,1:00:0" + std::to_string(i), "dBA", 1, 0.5);
    for (int i = 0; i < 3; ++i)
      m_stores.m_log.Emplace(70.0 + i, "08-12-2026,2:00:0" + std::to_string(i), "dBC", 2, 1.0);
  }
  CDataLogDlg &Open() {
    m_dlg = std::make_unique<CDataLogDlg>(m_stores, m_prompts, FixedTime);
    m_dlg->Create();
    m_dlg->show();
    return *m_dlg;
  }
  QString Text(int nId) { return DlgItem<QLineEdit>(m_dlg.get(), nId)->text(); }
  QComboBox *Rate() { return DlgItem<QComboBox>(m_dlg.get(), IDC_RATE); }
  void ClickRow(int nRow) {
    QTreeWidget *list = m_dlg->List();
    QRect r = list->visualItemRect(list->topLevelItem(nRow));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
  }

  CDataStores m_stores;
  CScriptedPrompts m_prompts;
  std::unique_ptr<CDataLogDlg> m_dlg;
};

TEST_F(DataLogDlgTest, ListHasOneRowPerRecordingWithItsCount) {
  Open();
  QTreeWidget *list = m_dlg->List();
  ASSERT_EQ(list->topLevelItemCount(), 2);
  QStringList heads;
  for (int i = 0; i < 5; ++i)
    heads << list->headerItem()->text(i);
  EXPECT_EQ(heads, QStringList({"ID", "Data, czas", "Jednostka", "Sampling Rate", "Nums"}));
  EXPECT_EQ(list->header()->sectionSize(1), 120);
  // No heading is cut short: "Jednostka" needs more than its 55 pixels.
  for (int i = 0; i < 5; ++i)
    EXPECT_GE(list->header()->sectionSize(i),
              list->fontMetrics().horizontalAdvance(list->headerItem()->text(i)) + 8)
        << heads[i].toStdString();
  auto row = [&](int r) {
    QStringList t;
    for (int i = 0; i < 5; ++i)
      t << list->topLevelItem(r)->text(i);
    return t;
  };
  EXPECT_EQ(row(0), QStringList({"1", "07-12-2026,1:00:00", "dBA", "0.50", "5"}));
  EXPECT_EQ(row(1), QStringList({"2", "08-12-2026,2:00:00", "dBC", "1.00", "3"}));
  EXPECT_EQ(m_dlg->windowTitle(), "DATALOGGER");
  EXPECT_TRUE(Text(IDC_COUNT).isEmpty());
  EXPECT_TRUE(m_dlg->Selection().IsEmpty());
}

TEST_F(DataLogDlgTest, ClickingARowSelectsItsRecordingOnce) {
  Open();
  ClickRow(1);
  ClickRow(1); // the array is emptied before it is filled again
  ASSERT_EQ(m_dlg->Selection().GetSize(), 3u);
  EXPECT_EQ(m_dlg->Selection()[0].m_strTime, "08-12-2026,2:00:00");
  EXPECT_EQ(Text(IDC_COUNT), "3");
  EXPECT_EQ(Text(IDC_AVERAGE), "71.0");
  EXPECT_EQ(Text(IDC_MAX), "72.0");
  EXPECT_EQ(Text(IDC_MAX_TIME), "08-12-2026,2:00:02");
  EXPECT_EQ(Text(IDC_MIN), "70.0");
  EXPECT_EQ(Text(IDC_MIN_TIME), "08-12-2026,2:00:00");
  EXPECT_EQ(Text(IDC_START_TIME), "08-12-2026,2:00:00");
  EXPECT_EQ(Rate()->currentText(), "1");
  EXPECT_FALSE(Rate()->isEnabled());
  EXPECT_EQ(m_dlg->Stat().strMaxUnit, "dBC");
  // The noise figures of 70, 71 and 72 dBC one second apart.
  EXPECT_EQ(DlgItem<QLabel>(m_dlg.get(), NoiseIds::kLeqLabel)->text(), "LCeq");
  EXPECT_EQ(Text(NoiseIds::kLeq), "71.1");
  EXPECT_EQ(Text(NoiseIds::kL10), "72.0");
  EXPECT_EQ(Text(NoiseIds::kL50), "71.0");
  EXPECT_EQ(Text(NoiseIds::kL90), "70.0");
  EXPECT_EQ(Text(NoiseIds::kSel), "75.8");
  EXPECT_EQ(Text(NoiseIds::kDuration), "0:00:03");
  // A click below the rows only enables the rate box again.
  QTreeWidget *list = m_dlg->List();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, list->viewport()->height() - 5));
  EXPECT_TRUE(Rate()->isEnabled());
  EXPECT_EQ(m_dlg->Selection().GetSize(), 3u);
  EXPECT_EQ(Text(IDC_COUNT), "3");
}

TEST_F(DataLogDlgTest, RateBoxShowsMatchingItemsOnly) {
  m_stores.m_log.RemoveAll();
  m_stores.m_log.Emplace(60, "a", "dBA", 1, 0.5);
  m_stores.m_log.Emplace(60, "b", "dBA", 2, 1.0);
  m_stores.m_log.Emplace(60, "c", "dBA", 3, 4.0);
  Open();
  ASSERT_EQ(Rate()->count(), 10);
  ClickRow(0);
  EXPECT_EQ(Rate()->currentText(), "0.5");
  ClickRow(1);
  EXPECT_EQ(Rate()->currentText(), "1");
  ClickRow(2);
  EXPECT_EQ(Rate()->currentIndex(), -1);
  EXPECT_EQ(Rate()->currentText(), "");
}

TEST_F(DataLogDlgTest, RowWhoseGroupIsGoneClearsSelectionAndReadouts) {
  Open();
  ClickRow(0);
  ASSERT_EQ(Text(IDC_COUNT), "5");
  // The store changes under the list, as a download would.
  m_dlg->ClearSelectionBeforeStoreChange();
  EXPECT_TRUE(m_dlg->Selection().IsEmpty());
  m_stores.m_log.RemoveAll();
  m_stores.m_log.Emplace(50, "x", "dBA", 9, 1);
  ClickRow(0);
  EXPECT_TRUE(m_dlg->Selection().IsEmpty());
  for (int id : {IDC_COUNT, IDC_AVERAGE, IDC_MAX, IDC_MAX_TIME, IDC_MIN, IDC_MIN_TIME, IDC_START_TIME,
                 NoiseIds::kLeq, NoiseIds::kL10, NoiseIds::kSel, NoiseIds::kDuration})
    EXPECT_TRUE(Text(id).isEmpty()) << id;
  // Nothing to save or export.
  m_dlg->Action(ID_EXPORT)->trigger();
  m_dlg->Action(ID_SAVE_SELECTION)->trigger();
  EXPECT_TRUE(m_prompts.m_asked.empty());
}

TEST_F(DataLogDlgTest, CloseEmptiesTheStoreButEscAndEnterOnlyHide) {
  Open();
  ClickRow(0);
  QTest::keyClick(m_dlg.get(), Qt::Key_Escape);
  EXPECT_FALSE(m_dlg->isVisible());
  EXPECT_EQ(m_stores.m_log.GetSize(), 8u);
  EXPECT_EQ(m_dlg->Selection().GetSize(), 5u);
  m_dlg->show();
  m_dlg->List()->setFocus();
  QTest::keyClick(m_dlg->List(), Qt::Key_Return);
  EXPECT_FALSE(m_dlg->isVisible());
  EXPECT_EQ(m_stores.m_log.GetSize(), 8u);
  m_dlg->show();
  m_dlg->close();
  EXPECT_FALSE(m_dlg->isVisible());
  EXPECT_TRUE(m_stores.m_log.IsEmpty());
  EXPECT_TRUE(m_dlg->Selection().IsEmpty());
  EXPECT_EQ(m_dlg->Stat().dMax, 64.0); // kept until the next selection
}

TEST_F(DataLogDlgTest, EveryControlHasAnAccessibleNameAndItsColours) {
  Open();
  int nNamed = 0;
  for (QWidget *w : m_dlg->findChildren<QWidget *>()) {
    if (!w->objectName().startsWith("ctl") || w->isHidden())
      continue;
    EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    ++nNamed;
  }
  EXPECT_EQ(nNamed, 36); // with the noise figures and the Leq between the cursors
  EXPECT_EQ(m_dlg->palette().color(QPalette::Window), QColor(170, 175, 195));
  EXPECT_NE(DlgItem<QLineEdit>(m_dlg.get(), IDC_MAX)->palette().color(QPalette::Window),
            QColor(170, 175, 195));
  EXPECT_EQ(DlgItem<QLabel>(m_dlg.get(), IDC_CURSOR_A_LABEL)->palette().color(QPalette::WindowText),
            QColor(110, 30, 200));
  EXPECT_EQ(DlgItem<QLabel>(m_dlg.get(), IDC_CURSOR_B_LABEL)->palette().color(QPalette::WindowText),
            QColor(0, 255, 0));
  EXPECT_EQ(Rate()->palette().color(QPalette::Base), QColor(100, 100, 100));
}

TEST_F(DataLogDlgTest, ImportReplacesTheStoreAndKeepsTheReadouts) {
  CTempDir dir;
  Spit(dir.File("in.txt"), "TX980 Sound Level Meter SamplingRate:2.0;\r\n"
                           "07-12-2026,01:45:03, 65.30, dBA\r\n"
                           "07-12-2026,01:45:05, 66.00, dBA\r\n");
  Spit(dir.File("bad.txt"), "tx980 sound level meter samplingrate:2.0;\r\n");
  Open();
  ClickRow(0);
  m_prompts.m_paths = {QString::fromStdString(dir.File("bad.txt")),
                       QString::fromStdString(dir.File("in.txt"))};
  m_dlg->Action(ID_IMPORT)->trigger();
  EXPECT_EQ(m_prompts.Messages(), std::vector<QString>{"Data Format is wrong!"});
  EXPECT_EQ(m_prompts.m_asked.back().caption, "ERROR");
  EXPECT_EQ(m_stores.m_log.GetSize(), 8u);
  EXPECT_EQ(m_dlg->Selection().GetSize(), 5u); // a refused file changes nothing
  m_dlg->Action(ID_IMPORT)->trigger();
  EXPECT_EQ(m_prompts.m_asked.back().text, "Data File(*.txt)");
  ASSERT_EQ(m_dlg->List()->topLevelItemCount(), 1);
  EXPECT_EQ(m_dlg->List()->topLevelItem(0)->text(0), "0");
  EXPECT_EQ(m_dlg->List()->topLevelItem(0)->text(4), "2");
  EXPECT_TRUE(m_dlg->Selection().IsEmpty());
  EXPECT_EQ(Text(IDC_COUNT), "5");
  ClickRow(0);
  EXPECT_EQ(Text(IDC_COUNT), "2");
  EXPECT_EQ(Rate()->currentText(), "2");
}

TEST_F(DataLogDlgTest, ExportAndSaveWriteTheSelection) {
  CTempDir dir;
  Open();
  ClickRow(1);
  m_prompts.m_paths = {QString::fromStdString(dir.File("out")), QString::fromStdString(dir.File("sel.txt"))};
  m_dlg->Action(ID_EXPORT)->trigger();
  EXPECT_EQ(m_prompts.m_asked[0].text, "Data File(*.xls);;Excel Workbook(*.xlsx)");
  EXPECT_EQ(m_prompts.m_asked[0].caption, "2026-12-7 1-45.xls");
  std::string xls = Slurp(dir.File("out.xls")); // the default extension was added
  EXPECT_EQ(xls.substr(0, xls.find("Min")), "StartTime\t08-12-2026,2:00:00\t\r\n"
                                            "Max\t72.00 @ 08-12-2026,2:00:02  dBC \t\r\n");
  EXPECT_NE(xls.find("SampleRate\t1.00\t\r\nID\tUnit\tValue\tDateTime\t\r\n1\tdBC\t70.00\t"),
            std::string::npos);
  m_dlg->Action(ID_SAVE_SELECTION)->trigger();
  EXPECT_EQ(m_prompts.m_asked[1].caption, "2026-12-7 1-45.txt");
  EXPECT_EQ(Slurp(dir.File("sel.txt")), "TX980 Sound Level Meter SamplingRate:1.0;\r\n"
                                        "08-12-2026,2:00:00, 70.00, dBC\r\n"
                                        "08-12-2026,2:00:01, 71.00, dBC\r\n"
                                        "08-12-2026,2:00:02, 72.00, dBC\r\n");
}

TEST_F(DataLogDlgTest, FailedSaveNamesTheFileAndKeepsTheOldOne) {
  CTempDir dir;
  Open();
  ClickRow(0);
  const std::string target = dir.File("missing/sel.txt");
  m_prompts.m_paths = {QString::fromStdString(target)};
  m_dlg->Action(ID_SAVE_SELECTION)->trigger();
  ASSERT_EQ(m_prompts.Messages().size(), 1u);
  EXPECT_TRUE(m_prompts.Messages()[0].contains(QString::fromStdString(target)));
  // the system's words, in the user's language
  EXPECT_TRUE(m_prompts.Messages()[0].contains(
      QString::fromStdString(std::error_code(ENOENT, std::generic_category()).message())));
  EXPECT_EQ(m_prompts.m_asked.back().caption, "ERROR");
}

TEST_F(DataLogDlgTest, HolderRecreatesTheWindowOnTheNewStore) {
  CDataLogHolder holder([this] { return std::make_unique<CDataLogDlg>(m_stores, m_prompts, FixedTime); });
  CDataLogDlg &first = holder.ShowAfresh();
  EXPECT_TRUE(first.isVisible());
  first.SelectRow(0);
  ASSERT_EQ(first.Selection().GetSize(), 5u);
  holder.BeforeLogStoreChange();
  EXPECT_TRUE(first.Selection().IsEmpty());
  m_stores.m_log.RemoveAll();
  m_stores.m_log.Emplace(1, "t", "dBA", 4, 1);
  CDataLogDlg &again = holder.ShowAfresh();
  EXPECT_EQ(&again, &first); // one object, a fresh window
  ASSERT_EQ(again.List()->topLevelItemCount(), 1);
  EXPECT_EQ(again.List()->topLevelItem(0)->text(0), "4");
  EXPECT_TRUE(DlgItem<QLineEdit>(&again, IDC_COUNT)->text().isEmpty());
  EXPECT_EQ(again.Stat().dMax, 64.0);
}

} // namespace

#include "graph/GraphicsBtn.h"

namespace {

TEST_F(DataLogDlgTest, GraphDrawsTheSelectionFromTheDefaultView) {
  Open();
  m_dlg->FitTo(QRect(0, 0, 1920, 1080)); // room for the template's own layout
  CGraphicsBtn *graph = m_dlg->Graph();
  ASSERT_NE(graph, nullptr);
  EXPECT_EQ(graph->geometry().size(), CDialogBuilder(DataLogTemplate()).ToPixels(226, 83, 406, 202).size());
  EXPECT_TRUE(graph->Samples().IsEmpty());
  graph->m_xSpan = 500; // a zoomed-out view from before
  graph->m_yOffset = 12;
  ClickRow(0);
  EXPECT_EQ(graph->Samples().GetSize(), 5u);
  EXPECT_DOUBLE_EQ(graph->m_xSpan, 20);
  EXPECT_DOUBLE_EQ(graph->m_yTop, 130);
  EXPECT_DOUBLE_EQ(graph->m_yOffset, 0);
  EXPECT_EQ(graph->m_plotWidth, graph->width() - 90);
  EXPECT_DOUBLE_EQ(graph->m_yScale, 130.0 / (graph->height() - 30));
  // A store about to change: the graph lets go of the old samples at once.
  m_dlg->ClearSelectionBeforeStoreChange();
  EXPECT_TRUE(graph->Samples().IsEmpty());
}

TEST_F(DataLogDlgTest, CursorReadoutsComeFromTheSelection) {
  Open();
  ClickRow(1);
  CGraphicsBtn *graph = m_dlg->Graph();
  emit graph->graphCursor(ECursor::A, 1);
  EXPECT_EQ(Text(IDC_CURSOR_A), "71.0");
  EXPECT_EQ(Text(IDC_CURSOR_A_TIME), "08-12-2026,2:00:01");
  emit graph->graphCursor(ECursor::B, 2);
  EXPECT_EQ(Text(IDC_AB_COUNT), "2");
  EXPECT_EQ(Text(IDC_AB_AVERAGE), "71.5");
  EXPECT_EQ(m_dlg->CursorA(), 1);
  // Leq beside the average: an energy mean, labelled with the weighting.
  emit graph->graphCursor(ECursor::A, 0);
  EXPECT_EQ(Text(GraphIds::kLeq), "");
  emit graph->graphCursor(ECursor::B, 2);
  EXPECT_EQ(Text(IDC_AB_AVERAGE), "71.0");
  EXPECT_EQ(Text(GraphIds::kLeq), "71.1");
  EXPECT_EQ(DlgItem<QLabel>(m_dlg.get(), GraphIds::kLeqLabel)->text(), "LCeq");
  emit graph->graphCursor(ECursor::A, 1);
  // Close clears the graph's cursors but keeps the window's cursor A index.
  graph->m_cursorA = 1;
  graph->m_cursorB = 2;
  graph->m_cursorMode = 1;
  graph->m_hoverPoint = {50, 40};
  m_dlg->close();
  EXPECT_EQ(graph->m_cursorA, -1);
  EXPECT_EQ(graph->m_cursorB, -1);
  EXPECT_EQ(graph->m_cursorMode, 0);
  EXPECT_EQ(graph->m_hoverPoint, (GraphPoint{0, 0}));
  m_dlg->Create();
  EXPECT_EQ(m_dlg->CursorA(), 1);
  EXPECT_TRUE(Text(IDC_CURSOR_A).isEmpty()); // a fresh window
}

TEST_F(DataLogDlgTest, PrintCommandsActOnTheSelection) {
  Open();
  m_dlg->Action(ID_PRINT_TABLE)->trigger();
  m_dlg->Action(ID_PRINT_GRAPH)->trigger();
  EXPECT_TRUE(m_prompts.m_asked.empty()); // nothing selected
  ClickRow(0);
  m_dlg->Action(ID_PRINT_TABLE)->trigger();
  ASSERT_EQ(m_prompts.m_asked.size(), 1u);
  EXPECT_EQ(m_prompts.m_asked[0].kind, "printer");
}

} // namespace

namespace {
TEST_F(DataLogDlgTest, SpaceOnTheListSelectsTheCurrentRecording) {
  Open();
  QTreeWidget *list = m_dlg->List();
  list->setFocus();
  list->setCurrentItem(list->topLevelItem(1));
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_EQ(m_dlg->Selection().GetSize(), 3u);
  EXPECT_EQ(Text(IDC_COUNT), "3");
  EXPECT_TRUE(m_dlg->isVisible());
}
// A laptop's screen: at 1280x800 every control shows without scrolling; at
// 1024x768 nothing needs a horizontal scroll bar. The blocks that do not fit
// beside the graph sit under it, no two controls overlap, each figure stays
// inside its box, and the list is no wider than its columns.
TEST_F(DataLogDlgTest, OnALaptopScreenEveryControlShowsWithoutScrolling) {
  Open();
  for (const QRect screen : {QRect(0, 0, 1280, 800), QRect(0, 0, 1024, 768)}) {
    SCOPED_TRACE(screen.width());
    m_dlg->FitTo(screen);
    QCoreApplication::processEvents();
    EXPECT_TRUE(screen.contains(m_dlg->frameGeometry()));
    QScrollArea *area = m_dlg->ScrollArea();
    QWidget *body = area->widget();
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
    const QRect seen = area->viewport()->rect();
    std::vector<std::pair<QWidget *, QRect>> shown;
    for (QWidget *w : body->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
      if (!w->isVisibleTo(body))
        continue;
      const QRect r(w->mapTo(area->viewport(), QPoint(0, 0)), w->size());
      EXPECT_TRUE(seen.contains(r)) << w->objectName().toStdString() << " "
                                    << w->accessibleName().toStdString();
      shown.push_back({w, r});
    }
    EXPECT_GT(shown.size(), 60u);
    // Every label shows its whole text, the A-B "LAeq" of a selected recording among them.
    DlgItem<QLabel>(body, GraphIds::kLeqLabel)->setText(QStringLiteral("LAeq"));
    for (QLabel *l : body->findChildren<QLabel *>())
      if (l->isVisibleTo(body) && !l->text().isEmpty()) {
        EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(l->text())) << l->text().toStdString();
      }
    for (std::size_t i = 0; i < shown.size(); ++i)
      for (std::size_t j = i + 1; j < shown.size(); ++j) {
        const bool bBox =
            qobject_cast<QGroupBox *>(shown[i].first) || qobject_cast<QGroupBox *>(shown[j].first);
        if (!bBox) {
          EXPECT_FALSE(shown[i].second.intersects(shown[j].second))
              << shown[i].first->accessibleName().toStdString() << " / "
              << shown[j].first->accessibleName().toStdString();
        }
      }
    // The noise figures inside "Ruído", the read-outs under the mouse inside "Indicação".
    auto box = [&](const char *title) {
      for (auto *g : body->findChildren<QGroupBox *>())
        if (g->title() == QString::fromUtf8(title))
          return g->geometry();
      return QRect();
    };
    for (int nId : {NoiseIds::kLeq, NoiseIds::kL10, NoiseIds::kL90, NoiseIds::kDuration})
      EXPECT_TRUE(box("Ruído").contains(DlgItem<QWidget>(body, nId)->geometry())) << nId;
    EXPECT_TRUE(box("Indicação").contains(DlgItem<QWidget>(body, IDC_HOVER_TIME)->geometry()));
    EXPECT_TRUE(box("Gráfico em tempo real").contains(DlgItem<QWidget>(body, IDC_AB_COUNT)->geometry()));
    // The list: its columns and a scroll bar, no more.
    QTreeWidget *list = m_dlg->List();
    int nColumns = 0;
    for (int i = 0; i < list->columnCount(); ++i)
      nColumns += list->header()->sectionSize(i);
    EXPECT_LE(list->width(),
              nColumns + 2 * list->frameWidth() + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
    // The graph still draws its plot in what it got.
    EXPECT_GT(m_dlg->Graph()->height(), 150);
    EXPECT_EQ(m_dlg->Graph()->m_plotWidth, m_dlg->Graph()->width() - 90);
  }
}

TEST_F(DataLogDlgTest, OnALargeScreenTheWholeTemplateShowsWithoutScrolling) {
  Open();
  m_dlg->FitTo(QRect(0, 0, 1920, 1080));
  QCoreApplication::processEvents();
  QScrollArea *area = m_dlg->ScrollArea();
  EXPECT_EQ(area->viewport()->size(), area->widget()->size());
  EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(area->verticalScrollBar()->isVisible());
}

TEST_F(DataLogDlgTest, AMinimisedWindowComesBackRestoredAndActive) {
  CDataLogHolder holder([this] { return std::make_unique<CDataLogDlg>(m_stores, m_prompts, FixedTime); });
  CDataLogDlg &dlg = holder.ShowAfresh();
  dlg.showMinimized();
  QCoreApplication::processEvents();
  ASSERT_TRUE(dlg.isMinimized());
  holder.ShowAfresh(); // what a new download or "Abrir" does
  EXPECT_FALSE(dlg.isMinimized());
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
}

TEST_F(DataLogDlgTest, CtrlOAndCtrlSActOnTheWindowTheUserIsIn) {
  CDataStores frameStores;
  CScriptedPrompts framePrompts;
  CMainFrame frame(frameStores, framePrompts);
  int nMainOpen = 0, nMainSave = 0;
  frame.Commands().SetHandler(cmd::ID_OPEN, [&] { ++nMainOpen; });
  frame.Commands().SetHandler(cmd::ID_SAVE_AS, [&] { ++nMainSave; });
  frame.Commands().Update();
  frame.show();

  CTempDir dir;
  Open();
  m_dlg->SelectRow(1);
  m_dlg->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_dlg.get()));
  m_prompts.m_paths = {QString::fromStdString(dir.File("keys.txt"))};
  QTest::keyClick(m_dlg.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Slurp(dir.File("keys.txt")), "TX980 Sound Level Meter SamplingRate:1.0;\r\n"
                                         "08-12-2026,2:00:00, 70.00, dBC\r\n"
                                         "08-12-2026,2:00:01, 71.00, dBC\r\n"
                                         "08-12-2026,2:00:02, 72.00, dBC\r\n");
  QTest::keyClick(m_dlg.get(), Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(m_prompts.m_asked.size(), 2u);
  EXPECT_EQ(m_prompts.m_asked[1].kind, "open"); // "Importar", answered with cancel
  EXPECT_EQ(nMainOpen, 0);
  EXPECT_EQ(nMainSave, 0);

  // Back in the main window its own commands answer the same keys.
  frame.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
  QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
  QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(nMainSave, 1);
  EXPECT_EQ(nMainOpen, 1);
  EXPECT_EQ(m_prompts.m_asked.size(), 2u);
}

} // namespace
