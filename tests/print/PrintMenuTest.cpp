#include "PdfPages.h"
#include "support/FixedTime.h"
#include "support/ScriptedPrompts.h"

#include "datalog/DataLogDlg.h"
#include "forms/DataLogTemplate.h"
#include "records/SampleStore.h"

#include <QAction>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

std::tm FixedTime() {
  return FixedLocalTime(2026, 12, 7, 1, 45);
}

class PrintMenuTest : public ::testing::Test {
protected:
  void SetUp() override {
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    m_prompts.m_makePrinter = [this] { return m_pdf.MakePrinter(); };
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", m_oldConfig); }

  QByteArray m_oldConfig = qgetenv("XDG_CONFIG_HOME");
  QTemporaryDir m_config;
  CPdfPages m_pdf;
  CScriptedPrompts m_prompts;
  CDataStores m_stores;
};

} // namespace

TEST_F(PrintMenuTest, DataLoggerPrintsTheChosenRecording) {
  for (int i = 0; i < 5; ++i)
    m_stores.m_log.Emplace(60.0 + i, "07-12-2026,1:00:0" + std::to_string(i), "dBA", 1, 0.5);
  for (int i = 0; i < 3; ++i)
    m_stores.m_log.Emplace(70.0 + i, "08-12-2026,2:00:0" + std::to_string(i), "dBC", 2, 1.0);
  CDataLogDlg dlg(m_stores, m_prompts, FixedTime);
  dlg.Create();
  dlg.show();
  dlg.SelectRow(1);
  ASSERT_EQ(dlg.Selection().GetSize(), 3u);

  dlg.Action(datalog::ID_PRINT_GRAPH)->trigger();
  QStringList lines = Lines(m_pdf.Pages().value(0));
  ASSERT_GE(lines.size(), 8);
  EXPECT_EQ(lines[0].toStdString(), "Krzywa w czasie rzeczywistym");
  EXPECT_TRUE(lines.contains("MAKS. 72.00 08-12-2026,2:00:02")) << lines.join('|').toStdString();
  EXPECT_TRUE(lines.contains("MIN. 70.00 08-12-2026,2:00:00"));
  EXPECT_TRUE(lines.contains("Częstotliwość próbkowania 1.00"));
  EXPECT_TRUE(lines.contains("Średnia 71.00"));

  dlg.Action(datalog::ID_PRINT_TABLE)->trigger();
  lines = Lines(m_pdf.Pages().value(0));
  ASSERT_GE(lines.size(), 10);
  EXPECT_EQ(lines[7].toStdString(), "1 08-12-2026,2:00:00 dBC 70.00");
  EXPECT_EQ(lines[9].toStdString(), "3 08-12-2026,2:00:02 dBC 72.00");
  EXPECT_TRUE(lines.back().endsWith("Page -1-"));
}
