#include "files/SpreadsheetFile.h"
#include "files/DefaultFileName.h"

#include <gtest/gtest.h>

namespace {

StatData Stat() {
  StatData st;
  st.strStartTime = "07-12-2026,01:45:03";
  st.dMax = 72.4;
  st.strMaxTime = "07-12-2026,01:46:10";
  st.strMaxUnit = "dBA";
  st.dMin = 9.5;
  st.strMinTime = "07-12-2026,01:45:04";
  st.strMinUnit = "dBA";
  st.dAverage = 65.756;
  st.dSampleRate = 0.5;
  return st;
}

TEST(Spreadsheet, BothWindowsDifferOnlyInTheMaxCellsTrailingBlank) {
  CSampleStore s;
  s.Emplace(65.3, "07-12-2026,01:45:03", "dBA", 0, 0.5);
  s.Emplace(9.5, "07-12-2026,01:45:04", "dBC", 0, 0.5);
  CStringSink main, log;
  ASSERT_TRUE(WriteSpreadsheet(main, s, Stat(), SheetVariant::MainWindow));
  ASSERT_TRUE(WriteSpreadsheet(log, s, Stat(), SheetVariant::DataLogger));
  const std::string rest = "Min\t9.50 @ 07-12-2026,01:45:04  dBA\t\r\n"
                           "Average\t65.76\t\r\n"
                           "SampleRate\t0.50\t\r\n"
                           "ID\tUnit\tValue\tDateTime\t\r\n"
                           "1\tdBA\t65.30\t07-12-2026,01:45:03\t\r\n"
                           "2\tdBC\t9.50\t07-12-2026,01:45:04\t\r\n";
  // After the bytes written before the noise figures existed: a blank line
  // and the figures; mixed weightings give plain "Leq", two samples 0.5 s
  // apart cover one second, so SEL equals Leq.
  const std::string figures = "\r\n"
                              "Leq\t62.3\t\r\n"
                              "L10\t65.3\t\r\n"
                              "L50\t65.3\t\r\n"
                              "L90\t9.5\t\r\n"
                              "SEL\t62.3\t\r\n"
                              "Duration\t0:00:01\t\r\n";
  EXPECT_EQ(main.m_str, "StartTime\t07-12-2026,01:45:03\t\r\n"
                        "Max\t72.40 @ 07-12-2026,01:46:10  dBA\t\r\n" +
                            rest + figures);
  EXPECT_EQ(log.m_str, "StartTime\t07-12-2026,01:45:03\t\r\n"
                       "Max\t72.40 @ 07-12-2026,01:46:10  dBA \t\r\n" +
                           rest + figures);
}

TEST(Spreadsheet, EmptyArrayWritesNothingAndRowsCountFromOne) {
  CSampleStore s;
  CStringSink sink;
  EXPECT_TRUE(WriteSpreadsheet(sink, s, Stat(), SheetVariant::MainWindow));
  EXPECT_TRUE(sink.m_str.empty());
  for (int i = 0; i < 12; ++i)
    s.Emplace(100.0 + i, "t", "dBA", 0, 1);
  ASSERT_TRUE(WriteSpreadsheet(sink, s, Stat(), SheetVariant::MainWindow));
  EXPECT_NE(sink.m_str.find("\r\n1\tdBA\t100.00\tt\t\r\n"), std::string::npos);
  EXPECT_NE(sink.m_str.find("\r\n12\tdBA\t111.00\tt\t\r\n\r\nLAeq\t"), std::string::npos);
  // The block's rate spaces the samples: twelve at 0.5 s cover six seconds.
  EXPECT_TRUE(sink.m_str.ends_with("\r\nDuration\t0:00:06\t\r\n"));
}

TEST(DefaultFileNames, NothingIsZeroPadded) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 7;
  t.tm_hour = 1;
  t.tm_min = 45;
  EXPECT_EQ(DefaultFileName(t, ".txt"), "2026-12-7 1-45.txt");
  t.tm_mon = 0;
  t.tm_hour = 0;
  t.tm_min = 5;
  EXPECT_EQ(DefaultFileName(t, ".xls"), "2026-1-7 0-5.xls");
}

} // namespace
