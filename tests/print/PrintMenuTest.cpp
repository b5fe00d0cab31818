#include "PdfPages.h"
#include "support/FakeMeterLink.h"
#include "support/ScriptedPrompts.h"

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "datalog/DataLogDlg.h"
#include "datalog/DataLogTemplate.h"
#include "monitor/MyVomoView.h"
#include "monitor/SampleStore.h"

#include <QAction>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr std::time_t kNow = 1796607902; // 2026-12-07 01:45:02 UTC

std::tm FixedTime() {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 7;
  t.tm_hour = 1;
  t.tm_min = 45;
  return t;
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

TEST_F(PrintMenuTest, MainWindowPrintsTheLiveSamplesAsATable) {
  CMainFrame frame(m_stores, m_prompts);
  auto *view = new CMyVomoView(m_stores, m_prompts, std::make_unique<CFakeMeterLink>());
  frame.setCentralWidget(view);
  view->RegisterCommands(frame.Commands());
  view->SetClock([] { return kNow; });
  QAction *table = frame.Commands().Action(cmd::ID_PRINT_TABLE);
  ASSERT_TRUE(table);
  ASSERT_TRUE(table->isEnabled());
  table->trigger();
  EXPECT_TRUE(m_prompts.m_asked.empty()) << "no samples, no dialog";

  m_stores.m_live.Emplace(62.3, "07-12-2026,01:45:00", "dBA", 0, 1.0);
  m_stores.m_live.Emplace(63.0, "07-12-2026,01:45:01", "dBA", 0, 1.0);
  table->trigger();
  const QStringList lines = Lines(m_pdf.Pages().value(0));
  ASSERT_GE(lines.size(), 10);
  EXPECT_EQ(lines[6].toStdString(), "ID Data, czas Jednostka Wartość");
  EXPECT_EQ(lines[7].toStdString(), "1 07-12-2026,01:45:00 dBA 62.30");
  EXPECT_EQ(lines[8].toStdString(), "2 07-12-2026,01:45:01 dBA 63.00");
  EXPECT_EQ(lines.back().toStdString(), "Time: 2026-12-7 1:45:2 Page -1-");
}

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
