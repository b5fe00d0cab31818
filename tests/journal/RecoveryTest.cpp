#include "app/AppOptions.h"
#include "app/MainFrame.h"
#include "app/TarvikApp.h"
#include "files/TempDir.h"
#include "files/TextDataFile.h"
#include "forms/CommandIds.h"
#include "forms/ControlIds.h"
#include "journal/JournalKeeper.h"
#include "journal/OrphanJournals.h"
#include "journal/RunJournal.h"
#include "kit/CommandRouter.h"
#include "monitor/MyVomoView.h"
#include "session/ComPortLink.h"
#include "sim/PtyMeter.h"
#include "support/FakeSessionClock.h"
#include "support/ScriptedPrompts.h"

#include "forms/DialogTemplate.h"
#include "kit/DialogBuilder.h"

#include <QLineEdit>
#include <QPrinter>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr std::time_t kStart = 1796607903; // 07-12-2026,01:45:03 UTC

// The program on the simulated meter with its journal in `folder`.
struct Instance {
  CTestWallClock clock;
  CScriptedPrompts prompts;
  std::unique_ptr<CTarvikApp> app;

  explicit Instance(const std::string &folder, bool bMeter = true) {
    AppOptions options;
    options.bSimulate = bMeter;
    options.strStateFolder = folder;
    clock.m_wall = kStart;
    app = std::make_unique<CTarvikApp>(options, prompts, std::make_unique<CComPortLink>(), clock);
    if (!bMeter)
      return;
    std::string strError;
    EXPECT_TRUE(app->Start(strError)) << strError;
    app->Simulator()->SetFrameInterval(5ms);
    app->Simulator()->WithSim(
        [](CMeterSim &sim) { sim.SetLevelSource(CLevelSource::Steps(40.0, 0.3, 250)); });
    app->Show();
  }
  CMyVomoView &View() { return app->View(); }
  CSampleStore &Live() { return app->Stores().m_live; }

  // A 0.1 s run of `nSamples` in compressed time: the sampling timer is
  // fired by the test, the clock jumping to each tick, while the meter's
  // frames keep arriving.
  void Run(int nSamples) {
    const CMeterReading &st = app->Session().Reading();
    ASSERT_TRUE(QTest::qWaitFor([&] { return st.m_bDataReceived && !st.m_strCurTime.empty(); }, 5000));
    View().StartRunAt(0); // "0.1"
    Tick(nSamples);
    ASSERT_EQ(Live().GetSize(), static_cast<std::size_t>(nSamples));
  }
  void Tick(int nSamples) {
    ASSERT_EQ(app->Session().Timers().Period(CMeterSession::TIMER_SAMPLE), 100ms);
    // A tick finds no fresh reading when a loaded machine delays the
    // meter's frames: tick on until the run has its samples.
    struct : ISessionObserver {
      int n = 0;
      void OnSampleTaken(const SSample &) override { ++n; }
    } taken;
    app->Session().AddObserver(taken);
    for (int i = 0; taken.n < nSamples && app->Session().Running() && i < 3 * nSamples; ++i) {
      QTest::qWait(2);
      clock.m_wall = kStart + i / 10;
      const auto due = *app->Session().Timers().Due(CMeterSession::TIMER_SAMPLE);
      if (due > clock.Now())
        clock.m_shift += due - clock.Now();
      app->Session().Advance(due);
    }
    app->Session().RemoveObserver(taken);
  }
};

std::string FileBytes(const CSampleStore &store, const std::string &path) {
  EXPECT_TRUE(WriteTextDataFile(path, CSampleArray(store)).Ok());
  return Slurp(path);
}

std::vector<fs::path> Journals(const std::string &folder) {
  std::vector<fs::path> v;
  std::error_code ec;
  for (const auto &e : fs::directory_iterator(folder, ec))
    if (e.path().extension() == ".journal")
      v.push_back(e.path());
  return v;
}

} // namespace

TEST(Recovery, ACrashedRunComesBackWithItsSamplesStatisticsAndFile) {
  CTempDir dir;
  const std::string folder = dir.File("state");
  std::string expectedFile;
  StatData expected;
  std::string firstTime;
  {
    Instance crashed(folder);
    crashed.Run(300);
    EXPECT_TRUE(crashed.app->Session().Running());
    expected = crashed.app->Session().Stat();
    expectedFile = FileBytes(crashed.Live(), dir.File("before.txt"));
    firstTime = crashed.Live()[0].m_strTime;
    // Gone without the close path, mid-run, as a crash leaves it.
  }
  ASSERT_EQ(Journals(folder).size(), 1u);

  Instance next(folder);
  next.prompts.m_answers = {IDYES};
  EXPECT_EQ(next.app->OfferRecovery(), 300u);
  ASSERT_EQ(next.prompts.m_asked.size(), 1u);
  EXPECT_EQ(next.prompts.m_asked[0].caption, "Tarvik");
  EXPECT_EQ(next.prompts.m_asked[0].buttons, CPrompts::Buttons::RecoverDiscardCancel);
  EXPECT_EQ(next.prompts.m_asked[0].text,
            QString::fromStdString("Recuperar a medição interrompida?\n300 amostras, início " + firstTime));

  // As if the run had just stopped: same samples, statistics, read-outs, file.
  EXPECT_FALSE(next.app->Session().Running());
  EXPECT_EQ(FileBytes(next.Live(), dir.File("after.txt")), expectedFile);
  const StatData &st = next.app->Session().Stat();
  EXPECT_EQ(st.dMax, expected.dMax);
  EXPECT_EQ(st.dMin, expected.dMin);
  EXPECT_EQ(st.dAverage, expected.dAverage);
  EXPECT_EQ(st.strMaxTime, expected.strMaxTime);
  EXPECT_EQ(st.strMinTime, expected.strMinTime);
  EXPECT_EQ(st.strStartTime, expected.strStartTime);
  EXPECT_EQ(st.dSampleRate, 0.1);
  EXPECT_EQ(DlgItem<QLineEdit>(&next.View(), StatIds::kCount)->text(), "300");
  EXPECT_EQ(DlgItem<QLineEdit>(&next.View(), StatIds::kAverage)->text(),
            QString::asprintf("%.1f", expected.dAverage));
  EXPECT_EQ(DlgItem<QLineEdit>(&next.View(), StatIds::kStartTime)->text(), QString::fromStdString(firstTime));

  // Still guarded: another crash now would offer them again ...
  EXPECT_TRUE(next.app->Journal().Journal().HasFile());
  // ... until they are saved.
  next.prompts.m_paths = {QString::fromStdString(dir.File("saved.txt"))};
  next.app->Frame().Commands().Execute(cmd::ID_SAVE_AS);
  EXPECT_EQ(Slurp(dir.File("saved.txt")), expectedFile);
  EXPECT_TRUE(Journals(folder).empty());
}

TEST(Recovery, ADamagedJournalGivesEveryIntactRecordAndSaysWhatWasLost) {
  CTempDir dir;
  const std::string folder = dir.File("state");
  std::string path;
  {
    CRunJournal j(folder);
    j.OnRunStarted(0.5, kStart, "dBC");
    for (int i = 0; i < 50; ++i)
      j.OnSample(60 + i * 0.5, "07-12-2026,01:45:" + std::to_string(10 + i % 40), "dBC");
    path = j.Path();
    j.Keep();
  }
  std::string bytes = Slurp(path);
  std::string header;
  journal::AppendHeader(header, {0.5, kStart, "dBC", 1});
  const std::size_t nRecord = (bytes.size() - header.size()) / 50;
  bytes[header.size() + 25 * nRecord + 10] ^= 0x01; // a bad disk block in sample 25
  bytes.resize(bytes.size() - 7);                   // and the power went in the middle of the last record
  Spit(path, bytes);

  Instance next(folder, false);
  next.prompts.m_answers = {IDYES};
  EXPECT_EQ(next.app->OfferRecovery(), 48u);
  ASSERT_EQ(next.Live().GetSize(), 48u);
  EXPECT_EQ(next.Live()[24].m_dValue, 72.0);
  EXPECT_EQ(next.Live()[25].m_dValue, 73.0);
  EXPECT_EQ(next.Live()[47].m_dValue, 84.0);
  EXPECT_EQ(next.Live()[47].m_strUnit, "dBC");
  EXPECT_EQ(next.Live()[47].m_dSampleRate, 0.5);
  ASSERT_EQ(next.prompts.Messages().size(), 1u);
  EXPECT_TRUE(next.prompts.Messages()[0].endsWith("O diário estava danificado: 2 amostras perdidas."));
}

TEST(Recovery, DescartarDeletesTheJournalCancelarKeepsItAndTheNextOneIsAskedAbout) {
  CTempDir dir;
  const std::string folder = dir.File("state");
  for (std::time_t t : {kStart, kStart + 100}) {
    CRunJournal j(folder);
    j.OnRunStarted(1, t, "dBA");
    j.OnSample(55, "07-12-2026,01:45:03", "dBA");
    j.Keep();
  }
  // "Cancelar" keeps both for the next start; "Descartar" deletes each.
  {
    Instance later(folder, false);
    later.prompts.m_answers = {IDCANCEL, IDCANCEL};
    EXPECT_EQ(later.app->OfferRecovery(), 0u);
    EXPECT_EQ(later.prompts.Messages().size(), 2u);
    EXPECT_EQ(Journals(folder).size(), 2u);
  }
  Instance next(folder, false);
  next.prompts.m_answers = {CPrompts::IDDISCARD, CPrompts::IDDISCARD};
  EXPECT_EQ(next.app->OfferRecovery(), 0u);
  EXPECT_EQ(next.prompts.Messages().size(), 2u);
  EXPECT_TRUE(next.Live().IsEmpty());
  EXPECT_TRUE(Journals(folder).empty());
}

TEST(Recovery, ASecondInstanceDoesNotOfferTheFirstsLiveJournal) {
  CTempDir dir;
  const std::string folder = dir.File("state");
  Instance first(folder);
  first.Run(20);
  ASSERT_EQ(Journals(folder).size(), 1u);

  Instance second(folder, false);
  EXPECT_EQ(second.app->OfferRecovery(), 0u);
  EXPECT_TRUE(second.prompts.m_asked.empty());
  EXPECT_EQ(Journals(folder).size(), 1u);
}

TEST(Recovery, EndingBySignalKeepsTheJournalAndANormalCloseRemovesIt) {
  CTempDir dir;
  const std::string folder = dir.File("state");
  {
    Instance inst(folder);
    inst.Run(10);
    inst.prompts.m_answers.clear();
    inst.app->EndWithoutAsking();              // what SIGTERM, SIGHUP, SIGINT and a logout do
    EXPECT_TRUE(inst.prompts.m_asked.empty()); // no "Close Window?"
    EXPECT_FALSE(inst.app->Frame().isVisible());
  }
  std::vector<std::string> problems;
  std::vector<COrphanJournal> left = FindOrphanJournals(folder, problems);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].content.samples.size(), 10u);
  EXPECT_FALSE(left[0].content.Damaged());
  left.clear();

  Instance next(folder);
  next.prompts.m_answers = {IDYES, CPrompts::IDDISCARD}; // recover, then "Close Window?" lets them go
  EXPECT_EQ(next.app->OfferRecovery(), 10u);
  next.app->Frame().close();
  EXPECT_EQ(next.prompts.Messages().back(), "Close Window?");
  EXPECT_TRUE(Journals(folder).empty());
}

// A run whose samples go elsewhere leaves nothing in the live store to guard.
TEST(Recovery, ARunThatKeepsNoSamplesHasNoJournal) {
  CTempDir dir;
  const std::string folder = dir.File("state");
  Instance inst(folder);
  const CMeterReading &st = inst.app->Session().Reading();
  ASSERT_TRUE(QTest::qWaitFor([&] { return st.m_bDataReceived && !st.m_strCurTime.empty(); }, 5000));
  struct : ISessionObserver {
    int n = 0;
    void OnSampleTaken(const SSample &) override { ++n; }
  } samples;
  inst.app->Session().AddObserver(samples);
  SRunOptions options;
  options.bKeepSamples = false;
  ASSERT_TRUE(inst.app->Session().StartRun(0.1, options));
  inst.Tick(20);
  inst.app->Session().StopRun();
  inst.app->Session().RemoveObserver(samples);
  EXPECT_EQ(samples.n, 20);
  EXPECT_TRUE(inst.Live().IsEmpty());
  EXPECT_FALSE(inst.app->Journal().Journal().HasFile());
  EXPECT_TRUE(Journals(folder).empty());
}

// Files under a journal's name that hold nothing recoverable: each is told
// once with where it was put, and the set-aside files do not pile up.
TEST(Recovery, UnreadableJournalsAreToldOnceWithTheirPathAndDoNotPileUp) {
  CTempDir dir;
  const std::string folder = dir.File("state");
  fs::create_directory(folder);
  fs::permissions(folder, fs::perms::owner_all);
  std::string header;
  journal::AppendHeader(header, {0.5, kStart, "dBC", 1});
  std::string broken = header;
  broken[20] ^= 0x08;
  // 100 MB crafted to look like frames everywhere, behind a good header.
  std::string crafted = header;
  while (crafted.size() < (100u << 20))
    crafted.append(std::string_view("\x00\x02\x00\x00", 4));
  const std::pair<const char *, const std::string *> files[] = {
      {"run-7-0.journal", nullptr}, {"run-7-1.journal", &broken}, {"run-7-2.journal", &crafted}};
  Spit(folder + "/run-7-3.journal", "Data File\n");
  for (const auto &[name, bytes] : files)
    Spit(folder + "/" + name, bytes ? *bytes : std::string());
  crafted.clear();

  {
    Instance next(folder, false);
    EXPECT_EQ(next.app->OfferRecovery(), 0u);
    const std::vector<QString> told = next.prompts.Messages();
    ASSERT_EQ(told.size(), 4u);
    for (const char *fault : {"empty (0 bytes)", "its header is damaged", "larger than any journal",
                              "not a journal of this program"}) {
      EXPECT_EQ(std::count_if(told.begin(), told.end(),
                              [&](const QString &t) {
                                return t.startsWith("O diário de uma medição interrompida não pode ser "
                                                    "recuperado e foi posto de parte:\n" +
                                                    QString::fromStdString(folder) + "/run-7-") &&
                                       t.contains(".journal.damaged: ") && t.contains(fault);
                              }),
                1)
          << fault;
    }
  }
  std::size_t nAside = 0;
  for (const auto &e : fs::directory_iterator(folder))
    nAside += e.path().extension() == ".damaged";
  EXPECT_EQ(nAside, kKeepSetAside);
  EXPECT_TRUE(Journals(folder).empty());

  Instance again(folder, false);
  EXPECT_EQ(again.app->OfferRecovery(), 0u);
  EXPECT_TRUE(again.prompts.m_asked.empty());
}

TEST(Recovery, ARecoveredRunSaysWhyItEnded) {
  CTempDir dir;
  const std::string folder = dir.File("state");
  {
    Instance crashed(folder);
    crashed.app->Session().SetSampleLimit(10);
    crashed.Run(10);
    crashed.Tick(1); // the tick after the tenth sample ends the run
    EXPECT_FALSE(crashed.app->Session().Running());
    // Gone without the close path after the run ended by itself.
  }
  Instance next(folder, false);
  next.prompts.m_answers = {IDYES};
  EXPECT_EQ(next.app->OfferRecovery(), 10u);
  ASSERT_EQ(next.prompts.Messages().size(), 1u);
  EXPECT_TRUE(next.prompts.Messages()[0].endsWith("\nMedição terminada: atingido o número de amostras"))
      << next.prompts.Messages()[0].toStdString();
}
