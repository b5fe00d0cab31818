#include "assess/AssessDlg.h"
#include "../print/PdfPages.h"
#include "app/AppLanguage.h"
#include "assess/AssessSheets.h"
#include "assess/AssessSummary.h"
#include "assess/LiveAnalysis.h"
#include "assess/ReportLayout.h"
#include "datalog/DataLogDlg.h"
#include "files/TempDir.h"
#include "forms/CommandIds.h"
#include "forms/ControlIds.h"
#include "graph/GraphMath.h"
#include "graph/GraphicsBtn.h"
#include "kit/DialogBuilder.h"
#include "kit/TrStd.h"
#include "records/SampleStore.h"
#include "support/ScriptedPrompts.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
constexpr CivilSeconds kT0 = 1796724000; // 08-12-2026,10:00:00

// A loud burst of five seconds every minute over quiet.
void Fill(CSampleStore &s, int nFrom, int nTo) {
  for (int i = nFrom; i < nTo; ++i)
    s.AppendAt(i % 60 >= 20 && i % 60 < 25 ? 90.0 : 60.0, kT0 + i, TimeStyle::PaddedHour, "dBA", 0, 1);
}

AssessSettings Threshold85() {
  AssessSettings s;
  s.dThreshold = 85;
  s.nPeriodSec = 60;
  return s;
}

QString Cell(QTableWidget *t, int r, int c) {
  return t->item(r, c) ? t->item(r, c)->text() : QStringLiteral("<none>");
}
} // namespace

TEST(AssessDlg, RecordingShowsPeriodsEventsSummaryAndMarksTheGraph) {
  CSampleStore store;
  Fill(store, 0, 180);
  CScriptedPrompts prompts;
  CAssessDlg dlg(prompts, store, false, RecordingSource(3));
  dlg.resize(900, 700);
  dlg.show();
  dlg.SetControls(Threshold85(), false);

  QTableWidget *periods = dlg.PeriodsTable();
  ASSERT_EQ(periods->rowCount(), 3);
  EXPECT_EQ(Cell(periods, 0, 0), "08-12-2026 10:00:00");
  EXPECT_EQ(Cell(periods, 0, 2), "60");
  EXPECT_EQ(Cell(periods, 0, 3), "100.0");
  EXPECT_EQ(Cell(periods, 0, 5), "90.0");
  QTableWidget *events = dlg.EventsTable();
  ASSERT_EQ(events->rowCount(), 3);
  EXPECT_EQ(Cell(events, 1, 0), "08-12-2026 10:01:20");
  EXPECT_EQ(Cell(events, 1, 2), "5.0");
  EXPECT_EQ(dlg.Tabs()->tabText(0) + dlg.Tabs()->tabText(1) + dlg.Tabs()->tabText(2),
            "PeríodosEventosResumo");
  bool bLex = false;
  for (int r = 0; r < dlg.SummaryTable()->rowCount(); ++r)
    bLex = bLex || Cell(dlg.SummaryTable(), r, 0) == "LEX,8h";
  EXPECT_TRUE(bLex);

  // the threshold line across the plot and a shaded band over the first event
  CGraphicsBtn *g = dlg.Graph();
  const QImage &img = g->Image();
  const int y = LevelToY(*g, 85.0);
  EXPECT_EQ(img.pixel(kPlotLeft + 1, y), qRgb(220, 0, 0));
  const int xEvent = SampleToX(*g, 22.0), xQuiet = SampleToX(*g, 10.0);
  EXPECT_NE(img.pixel(xEvent, kPlotTop + 2), img.pixel(xQuiet, kPlotTop + 2));

  // choosing an event puts cursors A and B on it and the read-outs show it
  dlg.EventsTable()->setCurrentCell(2, 0);
  EXPECT_EQ(g->m_cursorA, 140);
  EXPECT_EQ(g->m_cursorB, 144);
  EXPECT_EQ(DlgItem<QLabel>(&dlg, GraphIds::kTimeA)->text(), "08-12-2026,10:02:20");
  EXPECT_EQ(DlgItem<QLabel>(&dlg, GraphIds::kTimeB)->text(), "08-12-2026,10:02:24");
  EXPECT_EQ(DlgItem<QLabel>(&dlg, GraphIds::kLeq)->text(), "90.0");
  EXPECT_EQ(DlgItem<QLabel>(&dlg, GraphIds::kLeqLabel)->text(), "LAeq");
}

TEST(AssessDlg, ExportsWriteTheTwoCsvFilesAndTheWorkbook) {
  CSampleStore store;
  Fill(store, 0, 120);
  CScriptedPrompts prompts;
  CAssessDlg dlg(prompts, store, false, RecordingSource(0));
  dlg.SetControls(Threshold85(), false);
  CTempDir dir;
  prompts.m_paths = {QString::fromStdString(dir.File("p.csv")), QString::fromStdString(dir.File("e.csv")),
                     QString::fromStdString(dir.File("a.xlsx")),
                     QString::fromStdString(dir.File("no/such/e.csv"))};
  dlg.OnExportPeriods();
  dlg.OnExportEvents();
  dlg.OnExportWorkbook();
  const std::string periods = Slurp(dir.File("p.csv"));
  EXPECT_TRUE(periods.starts_with("start,end,samples,coverage_percent,"));
  EXPECT_EQ(std::count(periods.begin(), periods.end(), '\n'), 3);
  const std::string events = Slurp(dir.File("e.csv"));
  EXPECT_NE(events.find(",5.0,90.0,90.0,97.0\r\n"), std::string::npos) << events;
  EXPECT_TRUE(std::filesystem::exists(dir.File("a.xlsx")));
  EXPECT_TRUE(prompts.Messages().empty());
  // Each export after the first starts where the one before went.
  const QString folder = QString::fromStdString(dir.Path().string());
  ASSERT_EQ(prompts.m_asked.size(), 3u);
  EXPECT_EQ(prompts.m_asked[0].caption, "periodos.csv");
  EXPECT_EQ(prompts.m_asked[1].caption, folder + "/eventos.csv");
  EXPECT_EQ(prompts.m_asked[2].caption, folder + "/analise.xlsx");
  dlg.OnExportEvents(); // a folder that is not there: the user is told
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_TRUE(prompts.Messages()[0].contains("no/such/e.csv"));
}

TEST(AssessDlg, LiveWindowFromTheMainMenuFollowsTheRun) {
  QMainWindow frame;
  frame.menuBar()->addMenu(QStringLiteral("Ficheiro"));
  frame.menuBar()->addMenu(QStringLiteral("Ajuda"));
  CDataStores stores;
  CScriptedPrompts prompts;
  CLiveAnalysis analysis(frame, stores, prompts);
  const QList<QAction *> menus = frame.menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[1]->text(), "Análise");
  menus[1]->menu()->actions().front()->trigger();
  CAssessDlg *dlg = analysis.Window();
  ASSERT_NE(dlg, nullptr);
  dlg->SetControls(Threshold85(), true);
  EXPECT_EQ(analysis.Settings().Settings().dThreshold, 85.0);
  EXPECT_TRUE(analysis.Settings().Beep());

  Fill(stores.m_live, 0, 30);
  dlg->Refresh();
  ASSERT_EQ(dlg->PeriodsTable()->rowCount(), 1);
  EXPECT_EQ(Cell(dlg->PeriodsTable(), 0, 2), "30");
  EXPECT_EQ(dlg->EventsTable()->rowCount(), 1); // ended by the quiet after it
  Fill(stores.m_live, 30, 70);
  dlg->Refresh();
  ASSERT_EQ(dlg->PeriodsTable()->rowCount(), 2);
  EXPECT_EQ(Cell(dlg->PeriodsTable(), 0, 2), "60");
  EXPECT_EQ(Cell(dlg->PeriodsTable(), 1, 2), "10");
}

TEST(AssessDlg, PrintedReportHoldsTheParticularsFiguresAndTables) {
  CSampleStore store;
  Fill(store, 0, 3600); // an hour: 60 periods of a minute run onto a second page
  CScriptedPrompts prompts;
  CPdfPages pdf;
  prompts.m_makePrinter = [&] { return pdf.MakePrinter(); };
  CAssessDlg dlg(prompts, store, false, RecordingSource(2));
  dlg.SetControls(Threshold85(), false);
  dlg.SetReportInfo({"Queixa do vizinho", "Rua Direita 5", "Ana Lima", "Janela aberta", {}});
  dlg.OnPrintReport();
  const QStringList pages = pdf.Pages();
  ASSERT_GE(pages.size(), 2);
  const QString all = pages.join('\f');
  for (const char *text : {"Queixa do vizinho", "Rua Direita 5", "Ana Lima", "Janela aberta",
                           "DATALOGGER, gravação 2", "08-12-2026 10:00:00 a 08-12-2026 10:59:59 (1:00:00)",
                           "Períodos", "Eventos", "abaixo dos valores de ação", "08-12-2026 10:59:20"})
    EXPECT_TRUE(all.contains(QString::fromUtf8(text))) << text;
  EXPECT_TRUE(pages[0].contains(QStringLiteral("Página 1 de %1").arg(pages.size())));
  // 5 s at 90 dB in each minute: LAeq = 10·log10((5·10^9 + 55·10^6) / 60) = 79.3, LEX,8h 70.2
  EXPECT_TRUE(all.contains(QStringLiteral("79.3 dB"))) << all.left(2000).toStdString();
  EXPECT_TRUE(all.contains(QStringLiteral("70.2 dB(A)")));
}

TEST(AssessDlg, DataLoggerWindowOpensItOnTheChosenRecordingAndItFollowsTheChoice) {
  CDataStores stores;
  for (int i = 0; i < 5; ++i)
    stores.m_log.AppendAt(80.0 + i * 3, kT0 + i, TimeStyle::PlainHour, "dBA", 1, 1.0);
  for (int i = 0; i < 8; ++i)
    stores.m_log.AppendAt(60.0, kT0 + 3600 + i, TimeStyle::PlainHour, "dBC", 2, 1.0);
  CScriptedPrompts prompts;
  CDataLogDlg log(stores, prompts);
  log.Create();
  log.SelectRow(0);
  QAction *open = nullptr;
  for (QAction *menu : log.findChild<QMenuBar *>()->actions())
    if (menu->text().remove(QLatin1Char('&')) == "Análise")
      open = menu->menu()->actions().front();
  ASSERT_NE(open, nullptr);
  open->trigger();
  CAssessDlg *dlg = log.Analysis();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(dlg->Source(), "DATALOGGER, gravação 1");
  EXPECT_EQ(dlg->Current().nSamples, 5u);
  EXPECT_EQ(dlg->Current().weighting, Weighting::A);
  log.SelectRow(1);
  EXPECT_EQ(dlg->Source(), "DATALOGGER, gravação 2");
  EXPECT_EQ(dlg->Current().nSamples, 8u);
  EXPECT_EQ(dlg->Current().weighting, Weighting::C);
  EXPECT_EQ(dlg->Current().exposure.refusal, ExposureRefusal::NotAWeighted);
}

TEST(AssessDlg, EnglishCatalogueTranslatesTheWindowsAndPagesButNotTheWorkbook) {
  QString reason;
  const AppTranslators english = InstallLanguage(ELanguage::English, reason);
  ASSERT_TRUE(reason.isEmpty()) << reason.toStdString();
  CDataStores stores;
  Fill(stores.m_log, 0, 120);
  CScriptedPrompts prompts;
  CDataLogDlg log(stores, prompts);
  log.Create();
  QStringList menus;
  for (QAction *menu : log.findChild<QMenuBar *>()->actions())
    menus << menu->text().remove(QLatin1Char('&'));
  EXPECT_EQ(menus, QStringList({"Import…", "Export…", "Save", "Print", "Analysis"}));
  EXPECT_EQ(log.Action(datalog::ID_PRINT_GRAPH)->text().remove(QLatin1Char('&')), "Print Graph…");
  EXPECT_EQ(log.List()->headerItem()->text(1), "Date, time");
  EXPECT_EQ(log.List()->headerItem()->text(2), "Unit");

  CAssessDlg dlg(prompts, stores.m_log, false, RecordingSource(3));
  dlg.SetControls(Threshold85(), false);
  EXPECT_EQ(dlg.windowTitle(), "Analysis");
  EXPECT_EQ(dlg.Source(), "DATALOGGER, recording 3");
  const QTabWidget *tabs = dlg.findChild<QTabWidget *>();
  EXPECT_EQ(QStringList({tabs->tabText(0), tabs->tabText(1), tabs->tabText(2)}),
            QStringList({"Periods", "Events", "Summary"}));
  EXPECT_EQ(dlg.PeriodsTable()->horizontalHeaderItem(3)->text(), "Coverage (%)");
  QStringList buttons;
  for (const QPushButton *b : dlg.findChildren<QPushButton *>())
    buttons << b->text();
  EXPECT_TRUE(buttons.contains("Print Report…") && buttons.contains("Export to Excel…"))
      << buttons.join('|').toStdString();
  const SeriesAssessment a = AssessSeries(CSampleArray(stores.m_log), Threshold85());
  std::map<std::string, std::string> summary;
  for (const SummaryRow &r : SummaryRows(a, TrStd))
    summary[r.strLabel] = r.strText;
  EXPECT_TRUE(summary["Time above threshold"].ends_with("% of the measured time)"))
      << summary["Time above threshold"];
  EXPECT_EQ(summary["Action/limit"], "below the action values");
  EXPECT_EQ(AlarmText(87.3, kT0, TrStd), "Threshold exceeded: 87.3 dB since 10:00:00");
  const std::vector<PageImage> pages =
      LayoutAssessmentReport(a, CSampleArray(stores.m_log), {}, 2480, 3508, 40, TrStd);
  ASSERT_EQ(pages.size(), 1u);
  std::vector<std::string> texts;
  for (const PageOp &op : pages[0].ops)
    texts.push_back(op.text);
  for (const char *text : {"Noise report", "Place:", "Summary", "Page 1 of 1"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;

  // The workbook is a file: its sheets and headings stay the program's own.
  const std::vector<WorkbookSheet> sheets = AssessmentSheets(a);
  ASSERT_EQ(sheets.size(), 3u);
  EXPECT_EQ(sheets[0].strName, "Períodos");
  EXPECT_EQ(sheets[0].heads[3], "Cobertura (%)");
  EXPECT_EQ(sheets[2].rows[0][0].strText, "Amostras");
}
