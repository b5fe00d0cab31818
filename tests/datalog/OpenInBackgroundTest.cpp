#include "app/AppOptions.h"
#include "app/MainFrame.h"
#include "app/TarvikApp.h"
#include "datalog/DataFileCommands.h"
#include "files/TempDir.h"
#include "forms/CommandIds.h"
#include "kit/CommandRouter.h"
#include "support/FakeMeterLink.h"
#include "support/FakeSessionClock.h"
#include "support/ScriptedPrompts.h"

#include <QApplication>
#include <QPrinter>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

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

// SIGTERM (a shutdown) while "Abrir" reads a 2 GB line: the open is
// cancelled, the window closes within a second and no store changes.
TEST(QuitDuringOpen, SigtermEndsAnOpenOfA2GBLineWithinASecond) {
  CTempDir dir;
  const std::string path = dir.File("one-line.txt");
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  const std::string header = "TX980 Sound Level Meter SamplingRate:0.5;\n";
  ASSERT_EQ(::write(fd, header.data(), header.size()), static_cast<ssize_t>(header.size()));
  ASSERT_EQ(::ftruncate(fd, 2LL << 30), 0); // a sparse 2 GB line: no disk, all of it to read
  ::close(fd);

  CScriptedPrompts prompts;
  prompts.m_paths = {QString::fromStdString(path)};
  CFakeSessionClock clock;
  AppOptions options;
  options.strStateFolder = dir.File("state");
  CTarvikApp app(options, prompts, std::make_unique<CFakeMeterLink>(), clock);
  app.Stores().m_log.Emplace(42.0, "07-12-2026,01:45:03", "dBA", 3, 1.0);
  app.Frame().show();
  std::chrono::steady_clock::time_point tSignal;
  QTimer::singleShot(300, [&] {
    tSignal = std::chrono::steady_clock::now();
    ::kill(::getpid(), SIGTERM);
  });
  app.Frame().Commands().Action(cmd::ID_OPEN)->trigger();
  const auto waited = std::chrono::steady_clock::now() - tSignal;
  ASSERT_NE(tSignal, std::chrono::steady_clock::time_point()) << "the open ended before the signal";
  EXPECT_LT(waited, std::chrono::seconds(1));
  EXPECT_FALSE(app.Frame().isVisible());
  ASSERT_EQ(app.Stores().m_log.GetSize(), 1u);
  EXPECT_EQ(app.Stores().m_log[0].m_nGroup, 3);
}
