#include "datalog/DataFileCommands.h"
#include "files/TempDir.h"
#include "support/ScriptedPrompts.h"

#include <QApplication>
#include <QPrinter>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct OpenInBackgroundTest : ::testing::Test {
  CTempDir dir;
  CScriptedPrompts prompts;
  CDataFileCommands cmds{prompts};
  QWidget window;
  CSampleStore store;

  void SetUp() override {
    store.Emplace(42.0, "07-12-2026,01:45:03", "dBA", 3, 1.0);
    std::string bytes = "TX980 Sound Level Meter SamplingRate:0.5;\r\n";
    for (int i = 0; i < 20000; ++i)
      bytes += "07-12-2026,01:45:03, 65.30, dBA\r\n";
    Spit(dir.File("big.txt"), bytes);
    prompts.m_paths = {QString::fromStdString(dir.File("big.txt"))};
  }
};

} // namespace

TEST_F(OpenInBackgroundTest, CancelledOpenLeavesTheOldStore) {
  bool bReplaced = false;
  // "Cancelar" pressed as soon as the window answers again
  QTimer press;
  QObject::connect(&press, &QTimer::timeout, [&] {
    for (QWidget *w : QApplication::allWidgets())
      if (auto *p = qobject_cast<QProgressDialog *>(w); p && p->objectName() == "openProgress")
        p->cancel();
  });
  press.start(0);
  EXPECT_EQ(cmds.ReadTextData(&window, store, [&] { bReplaced = true; }),
            CDataFileCommands::Outcome::Cancelled);
  EXPECT_FALSE(bReplaced);
  ASSERT_EQ(store.GetSize(), 1u);
  EXPECT_EQ(store[0].m_nGroup, 3);
}

TEST_F(OpenInBackgroundTest, AWholeFileReplacesTheStore) {
  bool bReplaced = false;
  EXPECT_EQ(cmds.ReadTextData(&window, store, [&] { bReplaced = true; }), CDataFileCommands::Outcome::Done);
  EXPECT_TRUE(bReplaced);
  EXPECT_EQ(store.GetSize(), 20000u);
  EXPECT_EQ(store[19999].m_strTime, "07-12-2026,01:45:03");
}
