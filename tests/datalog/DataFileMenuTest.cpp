#include "datalog/DataFileMenu.h"
#include "../files/TempDir.h"
#include "app/MainFrame.h"
#include "forms/CommandIds.h"
#include "support/FixedTime.h"
#include "support/ScriptedPrompts.h"

#include <QPrinter>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

std::tm FixedTime() {
  return FixedLocalTime(2026, 1, 2, 3, 4);
}

TEST(DataFileMenu, MainWindowMenuItemsRunTheFileCommands) {
  CTempDir dir;
  CDataStores stores;
  CScriptedPrompts prompts;
  CMainFrame frame(stores, prompts);
  StatData live;
  live.dMax = 61;
  live.strMaxTime = "02-01-2026,03:04:05";
  live.strMaxUnit = "dBA";
  CDataFileMenu files(
      stores, prompts, &frame, [&live] { return live; }, FixedTime);
  files.RegisterCommands(frame.Commands());
  stores.m_live.Emplace(61, "02-01-2026,03:04:05", "dBA", 0, 1);
  prompts.m_paths = {QString::fromStdString(dir.File("a.txt")), QString::fromStdString(dir.File("a.xls")),
                     QString::fromStdString(dir.File("a.txt"))};

  frame.Commands().Update();
  for (int id : {cmd::ID_SAVE_AS, cmd::ID_EXPORT_EXCEL, cmd::ID_OPEN})
    ASSERT_TRUE(frame.Commands().Action(id)->isEnabled()) << id;
  frame.Commands().Action(cmd::ID_SAVE_AS)->trigger();
  EXPECT_EQ(prompts.m_asked.at(0).caption, "2026-1-2 3-4.txt");
  EXPECT_EQ(Slurp(dir.File("a.txt")),
            "TX980 Sound Level Meter SamplingRate:1.0;\r\n02-01-2026,03:04:05, 61.00, dBA\r\n");
  frame.Commands().Action(cmd::ID_EXPORT_EXCEL)->trigger();
  EXPECT_EQ(Slurp(dir.File("a.xls")).substr(0, 62), "StartTime\t\t\r\n"
                                                    "Max\t61.00 @ 02-01-2026,03:04:05  dBA\t\r\n"
                                                    "Min\t150.00");
  EXPECT_EQ(files.DataLog().Get(), nullptr);
  frame.Commands().Action(cmd::ID_OPEN)->trigger();
  ASSERT_NE(files.DataLog().Get(), nullptr);
  EXPECT_TRUE(files.DataLog().Get()->isVisible());
  EXPECT_EQ(files.DataLog().Get()->List()->topLevelItem(0)->text(0), "0");
  EXPECT_EQ(stores.m_log.GetSize(), 1u);
  EXPECT_TRUE(prompts.Messages().empty());
}

} // namespace
