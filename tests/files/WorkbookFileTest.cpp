#include "files/WorkbookFile.h"
#include "FileSizeLimit.h"
#include "TempDir.h"
#include "XlsxParts.h"
#include "records/AcousticStats.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

namespace {

// A spreadsheet date-time: days since 30 December 1899, the time of day as a fraction.
double Serial(int y, unsigned m, unsigned d, int hh, int mm, int ss) {
  using namespace std::chrono;
  const auto days = sys_days{year{y} / month{m} / day{d}} - sys_days{year{1899} / December / 30};
  return static_cast<double>(days.count()) + (hh * 3600 + mm * 60 + ss) / 86400.0;
}

double Num(const XlsxCell &c) {
  return c.Number();
}

StatData Stat() {
  StatData st;
  st.strStartTime = "07-12-2026,01:45:03";
  st.dMax = 80.0;
  st.strMaxTime = "07-12-2026,01:45:06";
  st.strMaxUnit = "dBA";
  st.dMin = 9.5;
  st.strMinTime = "garbage";
  st.strMinUnit = "dBA";
  st.dAverage = 56.26;
  st.dSampleRate = 1.0;
  return st;
}

TEST(Workbook, CellsReadBackAsNumbersAndDateTimes) {
  CTempDir dir;
  const std::string path = dir.File("w.xlsx");
  CSampleStore s;
  s.Emplace(65.3, "07-12-2026,01:45:03", "dBA", 0, 1);
  s.Emplace(70.25, "07-12-2026,1:45:04", "dBA", 3, 1); // a download's unpadded hour
  s.Emplace(9.5, "garbage", "dBA", 0, 1);
  s.Emplace(80.0, "29-02-2027,00:00:00", "dBA", 0, 1); // no such day: stays text
  ASSERT_TRUE(WriteWorkbookFile(path, s, Stat()).Ok());

  const std::string book = UnzipPart(path, "xl/workbook.xml");
  EXPECT_NE(book.find("name=\"Dados\""), std::string::npos) << book;
  EXPECT_NE(book.find("name=\"Gráfico\""), std::string::npos);
  auto cells = XlsxCells(UnzipPart(path, "xl/worksheets/sheet1.xml"));
  const std::vector<std::string> formats = XlsxStyleFormats(UnzipPart(path, "xl/styles.xml"));
  auto format = [&](const std::string &ref) {
    return formats.at(static_cast<std::size_t>(cells[ref].nStyle));
  };
  auto text = [&](const std::string &ref) { return cells[ref].bText ? cells[ref].strValue : "<not text>"; };

  // Samples from row 14: number, unit, level, date-time.
  EXPECT_EQ(text("A13") + text("B13") + text("C13") + text("D13"), "IDUnitValueDateTime");
  EXPECT_EQ(Num(cells["A14"]), 1);
  EXPECT_EQ(Num(cells["A17"]), 4);
  EXPECT_EQ(text("B14"), "dBA");
  EXPECT_DOUBLE_EQ(Num(cells["C14"]), 65.3);
  EXPECT_DOUBLE_EQ(Num(cells["C15"]), 70.25);
  EXPECT_EQ(format("C14"), "0.00");
  EXPECT_NEAR(Num(cells["D14"]), Serial(2026, 12, 7, 1, 45, 3), 1e-9);
  EXPECT_NEAR(Num(cells["D15"]), Serial(2026, 12, 7, 1, 45, 4), 1e-9);
  EXPECT_NE(format("D14").find("yyyy"), std::string::npos) << format("D14");
  EXPECT_EQ(format("D15"), format("D14"));
  EXPECT_EQ(text("D16"), "garbage");
  EXPECT_EQ(text("D17"), "29-02-2027,00:00:00");
  EXPECT_EQ(cells.count("A18"), 0u);

  // The statistics block: times as date-times too, then the noise figures.
  EXPECT_EQ(text("A1"), "StartTime");
  EXPECT_NEAR(Num(cells["B1"]), Serial(2026, 12, 7, 1, 45, 3), 1e-9);
  EXPECT_EQ(text("A2"), "Max");
  EXPECT_DOUBLE_EQ(Num(cells["B2"]), 80.0);
  EXPECT_NEAR(Num(cells["C2"]), Serial(2026, 12, 7, 1, 45, 6), 1e-9);
  EXPECT_EQ(text("D2"), "dBA");
  EXPECT_EQ(text("C3"), "garbage");
  EXPECT_DOUBLE_EQ(Num(cells["B4"]), 56.26);
  const AcousticStats a = ComputeAcousticStats(std::vector<double>{65.3, 70.25, 9.5, 80.0}, 1.0);
  EXPECT_EQ(text("A5") + text("A6") + text("A7") + text("A8") + text("A9") + text("A10"),
            "LAeqL10L50L90SELDuration");
  EXPECT_NEAR(Num(cells["B5"]), a.dLeq, 1e-9);
  EXPECT_EQ(format("B5"), "0.0");
  EXPECT_DOUBLE_EQ(Num(cells["B6"]), 80.0);
  EXPECT_DOUBLE_EQ(Num(cells["B8"]), 9.5);
  EXPECT_NEAR(Num(cells["B9"]), a.dLeq + 10 * std::log10(4.0), 1e-9);
  EXPECT_NEAR(Num(cells["B10"]) * 86400, 4.0, 1e-9);
  EXPECT_EQ(format("B10"), "[h]:mm:ss");
  EXPECT_EQ(text("A11"), "SampleRate");
  EXPECT_EQ(Num(cells["B11"]), 1.0);

  // The chart sheet draws the level column against the time column.
  const std::string chart = UnzipPart(path, "xl/charts/chart1.xml");
  EXPECT_NE(chart.find("<c:scatterChart>"), std::string::npos);
  EXPECT_NE(chart.find("Dados!$C$14:$C$17"), std::string::npos);
  EXPECT_NE(chart.find("Dados!$D$14:$D$17"), std::string::npos);
}

TEST(Workbook, FailureKeepsTheOldFileAndSaysWhy) {
  CTempDir dir;
  const std::string path = dir.File("keep.xlsx");
  Spit(path, "old workbook");
  CSampleStore s;
  for (int i = 0; i < 20000; ++i)
    s.Emplace(40.0 + i % 500 / 10.0, "07-12-2026,01:45:03", "dBA", 0, 1);
  CFileResult r;
  {
    CFileSizeLimit limit(64 * 1024);
    r = WriteWorkbookFile(path, s, Stat());
  }
  EXPECT_EQ(r.status, CFileResult::Status::Failed);
  EXPECT_EQ(r.strPath, path);
  EXPECT_FALSE(r.strReason.empty());
  EXPECT_TRUE(Slurp(path) == "old workbook");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
  // Written again without the limit, it replaces the old file.
  ASSERT_TRUE(WriteWorkbookFile(path, s, Stat()).Ok());
  EXPECT_EQ(Slurp(path).substr(0, 2), "PK");
}

} // namespace
