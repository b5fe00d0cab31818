#include "assess/LiveAssessment.h"
#include "assess/AssessSheets.h"
#include "assess/AssessSummary.h"
#include "assess/SeriesAssessment.h"
#include "files/TempDir.h"
#include "files/XlsxParts.h"

#include <gtest/gtest.h>

namespace {
CivilSeconds At(int nHour, int nMinute, int nSecond = 0) {
  return ToCivilSeconds({2026, 12, 8, nHour, nMinute, nSecond});
}

AssessSettings Settings() {
  AssessSettings s;
  s.nPeriodSec = 60;
  s.dThreshold = 85;
  s.dReleaseSec = 2;
  return s;
}

double LevelAt(int i) {
  return i % 50 < 5 ? 90.0 : 60.0 + i % 7;
}
} // namespace

TEST(LiveAssessment, GrowingRunGivesWhatTheWholeSeriesGives) {
  CSampleStore store;
  CLiveAssessment live(Settings());
  for (int i = 0; i < 300; ++i) {
    store.AppendAt(LevelAt(i), At(10, 0) + i, TimeStyle::PaddedHour, "dBA", 0, 1);
    if (i % 7 == 0)
      live.Update(store);
  }
  live.Update(store, true);
  const SeriesAssessment whole = AssessSeries(CSampleArray(store), Settings());
  const SeriesAssessment snap = live.Snapshot();
  ASSERT_EQ(snap.periods.size(), whole.periods.size());
  for (std::size_t i = 0; i < whole.periods.size(); ++i) {
    EXPECT_EQ(snap.periods[i].nSamples, whole.periods[i].nSamples);
    EXPECT_NEAR(snap.periods[i].dLeq, whole.periods[i].dLeq, 1e-9);
    EXPECT_EQ(snap.periods[i].dL90, whole.periods[i].dL90);
  }
  ASSERT_EQ(snap.events.size(), 6u);
  EXPECT_EQ(snap.events.size(), whole.events.size());
  EXPECT_EQ(snap.events[5].nFirst, whole.events[5].nFirst);
  EXPECT_NEAR(snap.stats.dLeq, whole.stats.dLeq, 1e-9);
  EXPECT_DOUBLE_EQ(*snap.exposure.dLex8h, *whole.exposure.dLex8h);

  // a new run in the same store starts over
  store.RemoveAll();
  store.AppendAt(70.0, At(11, 0), TimeStyle::PaddedHour, "dBC", 0, 1);
  live.Update(store);
  EXPECT_EQ(live.Snapshot().nSamples, 1u);
  EXPECT_EQ(live.Snapshot().weighting, Weighting::C);
}

TEST(AssessSummary, SaysWhyAFigureIsMissingAndFormatsTheAlarm) {
  CSampleStore c;
  for (int i = 0; i < 10; ++i)
    c.AppendAt(80.0, At(9, 0) + i, TimeStyle::PaddedHour, "dBC", 0, 1);
  std::map<std::string, std::string> rows;
  for (const SummaryRow &r : SummaryRows(AssessSeries(CSampleArray(c), {})))
    rows[r.strLabel] = r.strText;
  EXPECT_EQ(rows["LCeq"], "80.0 dB");
  EXPECT_EQ(rows["LEX,8h"], "só para níveis ponderados A (dBA): estes dados são dBC");
  EXPECT_EQ(rows["Lden"], "não calculado: sem amostras de entardecer, noite");
  EXPECT_EQ(rows["Lday (07–19)"], "80.0 dB, cobertura 0.0 %");
  EXPECT_EQ(rows["Eventos"], "sem limiar");
  EXPECT_EQ(AlarmText(87.3, At(14, 2, 11)), "Limiar excedido: 87.3 dB desde 14:02:11");
}

TEST(AssessSheets, WorkbookGainsPeriodsEventsAndSummaryWithDateCells) {
  CSampleStore s;
  for (int i = 0; i < 120; ++i)
    s.AppendAt(LevelAt(i), At(10, 0) + i, TimeStyle::PaddedHour, "dBA", 0, 1);
  const SeriesAssessment a = AssessSeries(CSampleArray(s), Settings());
  CTempDir dir;
  const std::string path = dir.File("a.xlsx");
  StatData stat;
  stat.Reset();
  stat.dSampleRate = 1;
  ASSERT_TRUE(WriteWorkbookFile(path, s, stat, {}, AssessmentSheets(a)).Ok());
  const std::string book = UnzipPart(path, "xl/workbook.xml");
  for (const char *name : {"Dados", "Períodos", "Eventos", "Resumo", "Gráfico"})
    EXPECT_NE(book.find(std::string("name=\"") + name + "\""), std::string::npos) << name;
  auto periods = XlsxCells(UnzipPart(path, "xl/worksheets/sheet2.xml"));
  const std::vector<std::string> formats = XlsxStyleFormats(UnzipPart(path, "xl/styles.xml"));
  EXPECT_EQ(periods["A1"].strValue, "Início");
  // 10:00 of 08-12-2026 as a spreadsheet serial: days since 30-12-1899
  EXPECT_NEAR(periods["A2"].Number(), 46364 + 10.0 / 24, 1e-9);
  EXPECT_NE(formats.at(static_cast<std::size_t>(periods["A2"].nStyle)).find("yyyy"), std::string::npos);
  EXPECT_EQ(periods["C2"].strValue, "60");
  EXPECT_EQ(periods["C3"].strValue, "60");
  auto events = XlsxCells(UnzipPart(path, "xl/worksheets/sheet3.xml"));
  EXPECT_EQ(events["C2"].strValue, "5"); // five seconds at 90 dB
  EXPECT_EQ(events["D2"].strValue, "90");
  auto summary = XlsxCells(UnzipPart(path, "xl/worksheets/sheet4.xml"));
  EXPECT_EQ(summary["A2"].strValue, "Amostras");
  EXPECT_EQ(summary["B2"].strValue, "120");
}
