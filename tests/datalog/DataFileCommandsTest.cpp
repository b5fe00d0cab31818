#include "datalog/DataLogHolder.h"
#include "datalog/MainFileCommands.h"
#include "files/TempDir.h"
#include "files/XlsxParts.h"
#include "forms/DialogTemplate.h"
#include "graph/ColorSettings.h"
#include "support/FixedTime.h"
#include "support/ScriptedPrompts.h"

#include <QGuiApplication>
#include <QPrinter>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>

#include <cerrno>
#include <system_error>

namespace {

std::tm FixedTime() {
  return FixedLocalTime(2026, 12, 7, 13, 5);
}

// Notes whether the hourglass was up while the save dialog was open.
class CCursorWatchingPrompts : public CScriptedPrompts {
public:
  std::optional<QString> GetSaveFileName(QWidget *parent, const QString &filter,
                                         const QString &name) override {
    const QCursor *c = QGuiApplication::overrideCursor();
    m_bWaitDuringDialog = c && c->shape() == Qt::WaitCursor;
    return CScriptedPrompts::GetSaveFileName(parent, filter, name);
  }
  bool m_bWaitDuringDialog = false;
};

class MainFileCommandsTest : public ::testing::Test {
protected:
  MainFileCommandsTest()
      : m_holder([this] { return std::make_unique<CDataLogDlg>(m_stores, m_prompts, FixedTime); }),
        m_cmds(m_prompts, m_stores, m_holder, FixedTime) {}
  QString Path(const std::string &name) { return QString::fromStdString(m_dir.File(name)); }

  CTempDir m_dir;
  CDataStores m_stores;
  CCursorWatchingPrompts m_prompts;
  CDataLogHolder m_holder;
  CMainFileCommands m_cmds;
};

TEST_F(MainFileCommandsTest, SaveAsWritesTheLiveStore) {
  EXPECT_EQ(m_cmds.OnSaveAs(nullptr), CDataFileCommands::Outcome::NothingToDo);
  EXPECT_TRUE(m_prompts.m_asked.empty());
  m_stores.m_live.Emplace(65.3, "07-12-2026,13:05:00", "dBA", 0, 0.5);
  m_prompts.m_paths = {Path("live.txt")};
  EXPECT_EQ(m_cmds.OnSaveAs(nullptr), CDataFileCommands::Outcome::Done);
  EXPECT_EQ(m_prompts.m_asked[0].text, "Data File(*.txt)");
  EXPECT_EQ(m_prompts.m_asked[0].caption, "2026-12-7 13-5.txt");
  EXPECT_EQ(Slurp(m_dir.File("live.txt")),
            "TX980 Sound Level Meter SamplingRate:0.5;\r\n07-12-2026,13:05:00, 65.30, dBA\r\n");
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Each kind of file dialog starts where that kind was last chosen: a save
// in one folder, an export in another, an open in a third.
TEST_F(MainFileCommandsTest, EachKindOfDialogStartsInItsLastFolder) {
  namespace fs = std::filesystem;
  for (const char *sub : {"saved", "sheets", "read"})
    fs::create_directories(m_dir.Path() / sub);
  m_stores.m_live.Emplace(65.3, "07-12-2026,13:05:00", "dBA", 0, 0.5);
  m_prompts.m_paths = {Path("saved/a.txt"), Path("sheets/a.xls"), Path("saved/a.txt"),
                       std::nullopt,        std::nullopt,         std::nullopt};
  m_cmds.OnSaveAs(nullptr);
  m_cmds.OnExportExcel(nullptr, StatData{});
  m_cmds.OnOpen(nullptr); // the file just saved, read into the data logger
  m_cmds.OnSaveAs(nullptr);
  m_cmds.OnExportExcel(nullptr, StatData{});
  m_cmds.OnOpen(nullptr);
  std::vector<QString> starts;
  for (const auto &a : m_prompts.m_asked)
    if (a.kind != "message")
      starts.push_back(a.caption);
  const QString dir = QString::fromStdString(m_dir.Path().string());
  EXPECT_EQ(starts, (std::vector<QString>{"2026-12-7 13-5.txt", "2026-12-7 13-5.xls", "",
                                          dir + "/saved/2026-12-7 13-5.txt",
                                          dir + "/sheets/2026-12-7 13-5.xls", dir + "/saved"}));
}

// The folders outlive the program: the next start (new prompts, the real
// ones included) opens each kind of dialog where it was last chosen.
TEST_F(MainFileCommandsTest, TheLastFoldersAreThereAgainAfterARestart) {
  namespace fs = std::filesystem;
  for (const char *sub : {"saved", "sheets"})
    fs::create_directories(m_dir.Path() / sub);
  m_prompts.KeepFoldersIn(ColorConfigPath());
  m_stores.m_live.Emplace(65.3, "07-12-2026,13:05:00", "dBA", 0, 0.5);
  m_prompts.m_paths = {Path("saved/a.txt"), Path("sheets/a.xls")};
  m_cmds.OnSaveAs(nullptr);
  m_cmds.OnExportExcel(nullptr, StatData{});

  const QString dir = QString::fromStdString(m_dir.Path().string());
  CScriptedPrompts restarted;
  restarted.KeepFoldersIn(ColorConfigPath());
  CDataLogHolder holder([&] { return std::make_unique<CDataLogDlg>(m_stores, restarted, FixedTime); });
  CMainFileCommands cmds(restarted, m_stores, holder, FixedTime);
  cmds.OnExportExcel(nullptr, StatData{});
  ASSERT_EQ(restarted.m_asked.size(), 1u);
  EXPECT_EQ(restarted.m_asked[0].caption, dir + "/sheets/2026-12-7 13-5.xls");
  EXPECT_EQ(CQtPrompts().LastFolder(CPrompts::EFolder::Save), dir + "/saved");

  fs::remove_all(m_dir.Path() / "saved"); // gone since: the dialog starts where it always did
  EXPECT_EQ(CQtPrompts().LastFolder(CPrompts::EFolder::Save), "");
}

TEST_F(MainFileCommandsTest, ExportShowsTheWaitCursorAlsoWhileTheDialogIsOpen) {
  m_stores.m_live.Emplace(72.4, "07-12-2026,01:46:10", "dBA", 0, 0.5);
  StatData st;
  st.dMax = 72.4;
  st.strMaxTime = "07-12-2026,01:46:10";
  st.strMaxUnit = "dBA";
  st.dSampleRate = 0.5;
  EXPECT_EQ(m_cmds.OnExportExcel(nullptr, st), CDataFileCommands::Outcome::Cancelled);
  EXPECT_TRUE(m_prompts.m_bWaitDuringDialog);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr); // removed after a cancel too
  m_prompts.m_paths = {Path("x.xls")};
  EXPECT_EQ(m_cmds.OnExportExcel(nullptr, st), CDataFileCommands::Outcome::Done);
  EXPECT_EQ(m_prompts.m_asked[1].caption, "2026-12-7 13-5.xls");
  std::string xls = Slurp(m_dir.File("x.xls"));
  EXPECT_NE(xls.find("\r\nMax\t72.40 @ 07-12-2026,01:46:10  dBA\t\r\n"), std::string::npos);
  EXPECT_NE(xls.find("\r\nSampleRate\t0.50\t\r\n"), std::string::npos);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(MainFileCommandsTest, ExportWritesAWorkbookOfTheChosenTypeOrName) {
  m_stores.m_live.Emplace(72.4, "07-12-2026,01:46:10", "dBA", 0, 0.5);
  m_stores.m_live.Emplace(70.0, "07-12-2026,01:46:11", "dBA", 0, 0.5);
  StatData st;
  st.dSampleRate = 0.5;
  // A bare name with the workbook type chosen, then a name ending in .xlsx with the first type.
  m_prompts.m_paths = {Path("book"), Path("named.xlsx")};
  m_prompts.m_filters = {"Excel Workbook(*.xlsx)"};
  EXPECT_EQ(m_cmds.OnExportExcel(nullptr, st), CDataFileCommands::Outcome::Done);
  EXPECT_EQ(m_cmds.OnExportExcel(nullptr, st), CDataFileCommands::Outcome::Done);
  EXPECT_EQ(m_prompts.m_asked[0].text, "Data File(*.xls);;Excel Workbook(*.xlsx)");
  for (const char *name : {"book.xlsx", "named.xlsx"}) {
    auto cells = XlsxCells(UnzipPart(m_dir.File(name), "xl/worksheets/sheet1.xml"));
    EXPECT_EQ(cells["C14"].Number(), 72.4) << name;
    EXPECT_EQ(cells["C15"].Number(), 70.0) << name;
    EXPECT_FALSE(cells["D15"].bText) << name;
    EXPECT_EQ(cells["A5"].strValue, "LAeq") << name;
  }
  EXPECT_FALSE(std::filesystem::exists(m_dir.File("book.xls")));
}

TEST_F(MainFileCommandsTest, BareNameGetsTheExtensionAndAsksBeforeReplacing) {
  m_stores.m_live.Emplace(1, "t", "dBA", 0, 1);
  Spit(m_dir.File("kept.txt"), "old");
  m_prompts.m_paths = {Path("kept"), Path("kept")};
  m_prompts.m_answers = {IDNO, IDYES};
  EXPECT_EQ(m_cmds.OnSaveAs(nullptr), CDataFileCommands::Outcome::Cancelled);
  EXPECT_EQ(Slurp(m_dir.File("kept.txt")), "old");
  EXPECT_EQ(m_prompts.m_asked[1].text, "kept.txt already exists.\nDo you want to replace it?");
  EXPECT_EQ(m_cmds.OnSaveAs(nullptr), CDataFileCommands::Outcome::Done);
  EXPECT_EQ(Slurp(m_dir.File("kept.txt")).substr(0, 5), "TX980");
}

TEST_F(MainFileCommandsTest, OpenShowsTheDataLoggerWindowAfreshEachTime) {
  Spit(m_dir.File("a.txt"),
       "TX980 Sound Level Meter SamplingRate:1.0;\r\nd,t, 1.00, dBA\r\nd,u, 2.00, dBA\r\n");
  Spit(m_dir.File("header.txt"), "TX980 Sound Level Meter SamplingRate:1.0;\r\n");
  Spit(m_dir.File("bad.txt"), "");
  m_stores.m_live.Emplace(5, "live", "dBA", 0, 1);
  m_prompts.m_paths = {Path("bad.txt"), Path("a.txt"), Path("header.txt")};
  EXPECT_EQ(m_cmds.OnOpen(nullptr), CDataFileCommands::Outcome::Failed);
  EXPECT_EQ(m_holder.Get(), nullptr);
  EXPECT_EQ(m_cmds.OnOpen(nullptr), CDataFileCommands::Outcome::Done);
  ASSERT_NE(m_holder.Get(), nullptr);
  CDataLogDlg *dlg = m_holder.Get();
  EXPECT_TRUE(dlg->isVisible());
  ASSERT_EQ(dlg->List()->topLevelItemCount(), 1);
  EXPECT_EQ(dlg->List()->topLevelItem(0)->text(4), "2");
  dlg->SelectRow(0);
  // A file with only the header: an empty store, an empty list, same object.
  EXPECT_EQ(m_cmds.OnOpen(nullptr), CDataFileCommands::Outcome::Done);
  EXPECT_EQ(m_holder.Get(), dlg);
  EXPECT_TRUE(dlg->Selection().IsEmpty());
  EXPECT_EQ(dlg->List()->topLevelItemCount(), 0);
  EXPECT_TRUE(m_stores.m_log.IsEmpty());
  EXPECT_EQ(m_stores.m_live.GetSize(), 1u); // reading never touches the live store
}

// A truncated file with a stray line and an impossible level: the good
// samples open, and one message says what was left out.
TEST_F(MainFileCommandsTest, OpenSkipsLinesWithoutALevelAndSaysWhichInOneMessage) {
  Spit(m_dir.File("cut.txt"), "TX980 Sound Level Meter SamplingRate:0.5;\r\n"
                              "07-12-2026,13:05:00, 65.30, dBA\r\n"
                              "hello\r\n"
                              "07-12-2026,13:05:01, 66.10, dBA\r\n"
                              "07-12-2026,13:05:01, 999.00, dBA\r\n"
                              "07-12-2026,13:05:02, 67.00, dBA\r\n"
                              "07-12-2026,13:05:02, 6");
  m_prompts.m_paths = {Path("cut.txt")};
  EXPECT_EQ(m_cmds.OnOpen(nullptr), CDataFileCommands::Outcome::Done);
  ASSERT_EQ(m_prompts.Messages().size(), 1u);
  EXPECT_EQ(m_prompts.Messages()[0], "Skipped 3 lines without a level from 0 to 200 dB: lines 3, 5, 7.");
  const CSampleStore &log = m_stores.m_log;
  ASSERT_EQ(log.GetSize(), 3u);
  EXPECT_DOUBLE_EQ(log[0].m_dValue, 65.3);
  EXPECT_DOUBLE_EQ(log[1].m_dValue, 66.1);
  EXPECT_DOUBLE_EQ(log[2].m_dValue, 67.0);
  ASSERT_NE(m_holder.Get(), nullptr);
  EXPECT_TRUE(m_holder.Get()->isVisible());
  EXPECT_EQ(m_holder.Get()->List()->topLevelItem(0)->text(4), "3");
}

TEST_F(MainFileCommandsTest, UnreadableFileIsNamedAndChangesNothing) {
  m_stores.m_log.Emplace(1, "t", "dBA", 3, 1);
  m_prompts.m_paths = {Path("gone.txt")};
  EXPECT_EQ(m_cmds.OnOpen(nullptr), CDataFileCommands::Outcome::Failed);
  ASSERT_EQ(m_prompts.Messages().size(), 1u);
  EXPECT_TRUE(m_prompts.Messages()[0].startsWith("Can't read the file " + Path("gone.txt")));
  EXPECT_EQ(m_stores.m_log.GetSize(), 1u);
  EXPECT_EQ(m_holder.Get(), nullptr);
}

} // namespace

#include <csignal>
#include <sys/resource.h>

namespace {

TEST_F(MainFileCommandsTest, DiskFullHalfWayIsToldAndTheOldFileStays) {
  for (int i = 0; i < 100000; ++i)
    m_stores.m_live.Emplace(60, "07-12-2026,13:05:00", "dBA", 0, 1);
  Spit(m_dir.File("old.xls"), "old sheet");
  m_prompts.m_paths = {Path("old.xls")};
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit lim = old;
  lim.rlim_cur = 256 * 1024; // the export needs about 3 MB
  ::setrlimit(RLIMIT_FSIZE, &lim);
  auto res = m_cmds.OnExportExcel(nullptr, StatData{});
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(res, CDataFileCommands::Outcome::Failed);
  ASSERT_EQ(m_prompts.Messages().size(), 1u);
  EXPECT_EQ(m_prompts.Messages()[0],
            "Can't write the file " + Path("old.xls") + "\n" +
                QString::fromStdString(std::error_code(EFBIG, std::generic_category()).message()) +
                "\nThe file on disk was not changed.");
  EXPECT_EQ(Slurp(m_dir.File("old.xls")), "old sheet");
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
