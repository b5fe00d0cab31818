#include "../files/TempDir.h"
#include "forms/CommandIds.h"
#include "forms/ControlIds.h"
#include "forms/UiTexts.h"
#include "monitor/RegistoFlow.h"
#include "monitor/SampleTableModel.h"
#include "monitor/ViewFixture.h"
#include "session/MonitorRun.h"

#include <QAbstractItemModel>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <clocale>

namespace {

QAbstractItemModel *Table(CMyVomoView *v) {
  return DlgItem<QTableView>(v, FormIds::kTable)->model();
}

TEST_F(ViewFixture, CommandsNeedingTheMeterDoNothingBeforeAnyByte) {
  EXPECT_FALSE(Enabled(32771));
  EXPECT_FALSE(Enabled(32791));
  m_pView->OnRun();
  m_pView->OnSetup();
  EXPECT_FALSE(Session().Running());
  EXPECT_FALSE(Active(S::TIMER_SAMPLE));
  EXPECT_TRUE(m_prompts.m_asked.empty());
  Hear();
  EXPECT_TRUE(Enabled(32771));
  EXPECT_TRUE(Enabled(32791));
  EXPECT_FALSE(Enabled(32772));
}

TEST_F(ViewFixture, RunningGreysWhatWouldDisturbTheRun) {
  Hear();
  m_pView->OnRun();
  EXPECT_TRUE(Session().Running());
  EXPECT_FALSE(Rate()->isEnabled());
  EXPECT_FALSE(Enabled(32771));
  EXPECT_FALSE(Enabled(32773));
  EXPECT_FALSE(Enabled(32791));
  EXPECT_TRUE(Enabled(32772));
  m_pView->OnStop();
  EXPECT_TRUE(Rate()->isEnabled());
  EXPECT_TRUE(Enabled(32771));
  EXPECT_TRUE(Enabled(32773));
  EXPECT_FALSE(Active(S::TIMER_SAMPLE));
}

TEST_F(ViewFixture, RateBoxGivesTheSamplingPeriod) {
  EXPECT_EQ(Rate()->count(), 10);
  EXPECT_EQ(Rate()->currentText(), "0.5");
  Hear();
  const std::pair<const char *, int> cases[] = {{"0.1", 100}, {"0.5", 500}, {"1.5", 1500}, {"10", 10000}};
  for (auto [text, ms] : cases) {
    SelectRate(text);
    m_pView->OnRun();
    EXPECT_EQ(IntervalMs(S::TIMER_SAMPLE), ms) << text;
    EXPECT_DOUBLE_EQ(Session().Stat().dSampleRate, RateFromText(text));
    m_pView->OnStop();
  }
}

// The process locale, put back however the test ends.
struct CLocaleGuard {
  std::string m_strOld = std::setlocale(LC_ALL, nullptr);
  ~CLocaleGuard() { std::setlocale(LC_ALL, m_strOld.c_str()); }
};

// Under a comma-decimal locale the rate box's "0.5" is still half a second,
// and the file saved at the next run's question is byte for byte the one
// the C locale writes.
TEST_F(ViewFixture, RateAndSavedFileDoNotDependOnTheLocale) {
  CTempDir dir;
  CLocaleGuard guard;
  Hear();
  for (const char *loc : {"C", "pt_PT.UTF-8", "pl_PL.UTF-8", "de_DE.UTF-8"}) {
    SCOPED_TRACE(loc);
    ASSERT_NE(std::setlocale(LC_ALL, loc), nullptr) << "generate it with localedef (scripts/test.sh does)";
    SelectRate("0.5");
    m_pView->OnRun();
    EXPECT_EQ(IntervalMs(S::TIMER_SAMPLE), 500);
    const std::time_t t0 = m_clock.m_wall;
    for (double d : {65.24, 9.5, 120.0}) {
      Reading().m_dLevel = d;
      Tick();
    }
    m_pView->OnStop();
    EXPECT_EQ(Field(StatIds::kAverage), "64.9");
    EXPECT_EQ(Field(StatIds::kMax), "120.0");
    const std::string path = dir.File(std::string(loc) + ".txt");
    m_prompts.m_answers = {CPrompts::IDSAVE};
    m_prompts.m_paths = {QString::fromStdString(path)};
    m_pView->OnRun(); // "Zapisz bieżące dane": "Guardar…" saves them first
    m_pView->OnStop();
    EXPECT_EQ(Slurp(path), "TX980 Sound Level Meter SamplingRate:0.5;\r\n" + FormatLiveTime(t0 + 1) +
                               ", 65.24, dBA\r\n" + FormatLiveTime(t0 + 2) + ",  9.50, dBA\r\n" +
                               FormatLiveTime(t0 + 3) + ", 120.00, dBA\r\n");
  }
}

TEST_F(ViewFixture, SamplesFillStoreTableAndFields) {
  Hear();
  Reading().m_dLevel = 65.24;
  m_pView->OnRun();
  Tick();
  Reading().m_dLevel = 70.0;
  Reading().m_bWeightA = false;
  Tick();
  Reading().m_dLevel = 60.0;
  Tick();
  ASSERT_EQ(m_stores.m_live.GetSize(), 3u);
  EXPECT_EQ(m_stores.m_live[0].m_strTime, "06-12-2025,05:46:41");
  EXPECT_EQ(m_stores.m_live[0].m_strUnit, "dBA");
  EXPECT_EQ(m_stores.m_live[1].m_strUnit, "dBC");
  EXPECT_DOUBLE_EQ(m_stores.m_live[2].m_dSampleRate, 0.5);
  QAbstractItemModel *t = Table(m_pView);
  ASSERT_EQ(t->rowCount(), 3);
  EXPECT_EQ(t->headerData(1, Qt::Horizontal).toString(), "Data, czas");
  EXPECT_EQ(t->headerData(3, Qt::Horizontal).toString(), "Wartość");
  EXPECT_EQ(t->index(0, 0).data().toString(), "1");
  EXPECT_EQ(t->index(0, 3).data().toString(), "65.24");
  EXPECT_EQ(t->index(1, 2).data().toString(), "dBC");
  EXPECT_EQ(Field(StatIds::kCount), "3");
  EXPECT_EQ(Field(StatIds::kStartTime), "06-12-2025,05:46:41");
  EXPECT_EQ(Field(StatIds::kMax), "70.0");
  EXPECT_EQ(Field(StatIds::kMaxTime), "06-12-2025,05:46:42");
  EXPECT_EQ(Field(StatIds::kMin), "60.0");
  EXPECT_EQ(Field(StatIds::kMinTime), "06-12-2025,05:46:43");
  EXPECT_EQ(Field(StatIds::kAverage), "65.1");
  // The noise figures: an energy mean of mixed weightings, 0.5 s apart,
  // with every sample; the percentiles are brought up to date at the stop.
  EXPECT_EQ(Label(NoiseIds::kLeqLabel), "Leq");
  EXPECT_EQ(Field(NoiseIds::kLeq), "66.8");
  EXPECT_EQ(Field(NoiseIds::kSel), "68.6");
  EXPECT_EQ(Field(NoiseIds::kDuration), "0:00:02");
  m_pView->OnStop();
  EXPECT_EQ(Field(NoiseIds::kL10), "70.0");
  EXPECT_EQ(Field(NoiseIds::kL50), "65.2");
  EXPECT_EQ(Field(NoiseIds::kL90), "60.0");
}

// Each button of the question before a run does what it says: "Guardar…"
// saves and then runs (a cancelled save dialog runs nothing), "Descartar"
// runs afresh, "Cancelar" leaves the samples and starts nothing.
TEST_F(ViewFixture, RunWithOldSamplesAsksWhatToDoWithThem) {
  CTempDir dir;
  const std::string saved = dir.File("saved.txt");
  struct Case {
    const char *name;
    int nAnswer;
    std::optional<QString> path;
    bool bRuns;
  };
  const Case cases[] = {
      {"save", CPrompts::IDSAVE, QString::fromStdString(saved), true},
      {"save dialog cancelled", CPrompts::IDSAVE, std::nullopt, false},
      {"discard", CPrompts::IDDISCARD, std::nullopt, true},
      {"cancel", IDCANCEL, std::nullopt, false},
  };
  Hear();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    m_pView->OnRun();
    Tick(5);
    m_pView->OnStop();
    ASSERT_EQ(m_stores.m_live.GetSize(), 5u);
    m_prompts.m_asked.clear();
    m_prompts.m_answers = {c.nAnswer};
    m_prompts.m_paths = {c.path};
    m_pView->OnRun();
    ASSERT_GE(m_prompts.m_asked.size(), 1u);
    EXPECT_EQ(m_prompts.m_asked[0].text, "Zapisz bieżące dane");
    EXPECT_EQ(m_prompts.m_asked[0].caption, "Tip");
    EXPECT_EQ(m_prompts.m_asked[0].buttons, CPrompts::Buttons::SaveDiscardCancel);
    EXPECT_EQ(Session().Running(), c.bRuns);
    if (!c.bRuns) {
      EXPECT_EQ(m_stores.m_live.GetSize(), 5u);
      EXPECT_EQ(Table(m_pView)->rowCount(), 5);
      EXPECT_EQ(Field(StatIds::kCount), "5");
      m_prompts.m_answers = {CPrompts::IDDISCARD};
      m_pView->OnRun();
    }
    EXPECT_TRUE(m_stores.m_live.IsEmpty());
    EXPECT_EQ(Table(m_pView)->rowCount(), 0);
    EXPECT_EQ(Field(StatIds::kCount), "");
    Tick();
    EXPECT_EQ(Field(StatIds::kCount), "1");
    EXPECT_EQ(Field(StatIds::kStartTime), QString::fromStdString(m_stores.m_live[0].m_strTime));
    m_pView->OnStop();
    m_prompts.m_answers = {CPrompts::IDDISCARD};
    m_pView->OnClear();
  }
  const std::string file = Slurp(saved);
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 6); // header and 5 samples
}

TEST_F(ViewFixture, RunWithoutSamplesAsksNothing) {
  Hear();
  m_pView->OnRun();
  EXPECT_TRUE(m_prompts.m_asked.empty());
}

TEST_F(ViewFixture, SampleLimitEndsTheRunAndReenablesRateAndRun) {
  Hear();
  Session().SetSampleLimit(3);
  SelectRate("1");
  m_pView->OnRun();
  EXPECT_EQ(IntervalMs(S::TIMER_SAMPLE), 1000);
  Tick(3);
  EXPECT_TRUE(Session().Running());
  EXPECT_EQ(m_stores.m_live.GetSize(), 3u);
  Tick();
  EXPECT_EQ(m_stores.m_live.GetSize(), 3u);
  EXPECT_FALSE(Session().Running());
  EXPECT_FALSE(Active(S::TIMER_SAMPLE));
  EXPECT_TRUE(Rate()->isEnabled());
  EXPECT_TRUE(Enabled(32771));
}

TEST_F(ViewFixture, TwoSecondsOfSilenceStopTheRunAndKeepTheSamples) {
  OpenPort();
  Hear();
  SelectRate("10"); // no sampling tick between the silence checks below
  m_pView->OnRun();
  Tick(2);
  int nRefresh = 0;
  QObject::connect(m_pView, &CMyVomoView::readoutRefresh, [&] { ++nRefresh; });
  m_clock.m_wall += 1; // one second without a byte: still heard
  Fire(S::TIMER_SILENCE);
  EXPECT_TRUE(Session().Running());
  EXPECT_EQ(nRefresh, 0);
  m_clock.m_wall += 1;
  Fire(S::TIMER_SILENCE);
  EXPECT_FALSE(Session().Running());
  EXPECT_FALSE(Reading().m_bDataReceived);
  EXPECT_FALSE(Active(S::TIMER_SAMPLE));
  EXPECT_EQ(nRefresh, 1);
  EXPECT_EQ(m_stores.m_live.GetSize(), 2u);
  EXPECT_TRUE(m_prompts.m_asked.empty()); // no message for a run
  EXPECT_FALSE(Enabled(32771));
}

TEST_F(ViewFixture, SilenceOrWatchdogEndADownloadWithAnError) {
  int nEnded = 0;
  QObject::connect(&m_pApp->Registo(), &CRegistoFlow::finished, [&] { ++nEnded; });
  OpenPort(); // the port stays: the meter only fell silent
  Hear();
  ASSERT_TRUE(m_commands.Execute(cmd::ID_DOWNLOAD));
  EXPECT_TRUE(Session().Progress().m_bDownloading);
  m_clock.m_wall += 2;
  Fire(S::TIMER_SILENCE);
  EXPECT_FALSE(Session().Progress().m_bDownloading);
  EXPECT_EQ(nEnded, 1);
  ASSERT_EQ(m_prompts.m_asked.size(), 1u);
  // The fixed text and caption, the cause on a second line.
  EXPECT_EQ(m_prompts.m_asked[0].text, QString("Occur an error\n") + UiTexts::kCauseSilence.source);
  EXPECT_EQ(m_prompts.m_asked[0].caption, "error");
  EXPECT_EQ(m_pApp->Frame().statusBar()->currentMessage().toStdString(),
            DownloadEndText(EDownloadEnd::Silence));
  EXPECT_FALSE(Active(S::TIMER_LOG_TIMEOUT));

  Hear();
  ASSERT_TRUE(m_commands.Execute(cmd::ID_DOWNLOAD));
  EXPECT_EQ(IntervalMs(S::TIMER_LOG_TIMEOUT), 0); // once
  EXPECT_EQ(*Session().Timers().Due(S::TIMER_LOG_TIMEOUT) - m_clock.m_now, S::kLogTimeout);
  // The meter still talks, the header came and a download byte comes now
  // and then: only the watchdog ends it.
  const std::uint8_t header[] = {0xBB, 0x10, 0x00};
  Session().OnChunk(header, sizeof header);
  const std::uint8_t trickle = 0x11;
  while (Active(S::TIMER_LOG_TIMEOUT)) {
    m_clock.m_now += std::chrono::seconds(5);
    Session().Advance(m_clock.m_now);
    Session().OnChunk(&trickle, 1);
  }
  EXPECT_EQ(nEnded, 2);
  EXPECT_FALSE(Session().Progress().m_bDownloading);
  EXPECT_EQ(m_prompts.Messages().back(), QString("Occur an error\n") + UiTexts::kCauseTimeout.source);
  EXPECT_EQ(m_pApp->Frame().statusBar()->currentMessage().toStdString(),
            DownloadEndText(EDownloadEnd::Watchdog));
  EXPECT_FALSE(Active(S::TIMER_LOG_TIMEOUT));
}

TEST_F(ViewFixture, ClearDuringARunKeepsRunningFromNumberOne) {
  Hear();
  m_pView->OnRun();
  Tick(4);
  m_prompts.m_answers = {IDCANCEL};
  m_pView->OnClear();
  EXPECT_EQ(m_prompts.m_asked.back().text, "Usuwanie danych");
  EXPECT_EQ(m_prompts.m_asked.back().caption, "Tips");
  EXPECT_EQ(m_prompts.m_asked.back().buttons, CPrompts::Buttons::DiscardCancel);
  EXPECT_EQ(m_stores.m_live.GetSize(), 4u);
  EXPECT_EQ(Field(StatIds::kCount), "4");

  const QString strMaxBefore = Field(StatIds::kMax);
  m_prompts.m_answers = {CPrompts::IDDISCARD};
  m_pView->OnClear();
  EXPECT_TRUE(m_stores.m_live.IsEmpty());
  EXPECT_EQ(Field(StatIds::kCount), "");
  EXPECT_EQ(Field(StatIds::kMax), strMaxBefore); // kept until the next sample
  EXPECT_EQ(Field(NoiseIds::kLeq), "");          // but the noise figures go with the samples
  EXPECT_EQ(Field(NoiseIds::kDuration), "");
  EXPECT_TRUE(Session().Running());
  Tick();
  EXPECT_EQ(Field(StatIds::kCount), "1");
  EXPECT_EQ(Table(m_pView)->rowCount(), 1);
  EXPECT_EQ(Field(StatIds::kStartTime), QString::fromStdString(m_stores.m_live[0].m_strTime));
  EXPECT_EQ(Session().Stat().strStartTime, m_stores.m_live[0].m_strTime);
}

TEST_F(ViewFixture, HeldMeterIsNotSampled) {
  Hear();
  m_pView->OnRun();
  Reading().m_bHold = true;
  Tick(2);
  EXPECT_TRUE(m_stores.m_live.IsEmpty());
  Reading().m_bHold = false;
  Tick();
  EXPECT_EQ(m_stores.m_live.GetSize(), 1u);
}

TEST_F(ViewFixture, SetupStartsARunWithTheChosenCountAndRate) {
  Hear();
  int nAskedWith = 0;
  m_pView->SetSetupDialog([&](int n) -> std::optional<SetupChoice> {
    nAskedWith = n;
    return SetupChoice{7, 9};
  });
  m_pView->OnSetup();
  EXPECT_EQ(nAskedWith, 40000);
  EXPECT_EQ(Session().SampleLimit(), 7);
  EXPECT_EQ(Rate()->currentText(), "10");
  EXPECT_EQ(IntervalMs(S::TIMER_SAMPLE), 10000);
  EXPECT_TRUE(Session().Running());

  m_pView->OnStop();
  m_pView->SetSetupDialog([](int) { return std::nullopt; });
  m_pView->OnSetup();
  EXPECT_EQ(Session().SampleLimit(), 7);
  EXPECT_EQ(Rate()->currentText(), "10");
  EXPECT_FALSE(Session().Running());
}

TEST_F(ViewFixture, GraphAndTableSwitch) {
  QWidget *graph = m_pView->findChild<QWidget *>(CtlName(FormIds::kGraph));
  QWidget *table = m_pView->findChild<QWidget *>(CtlName(FormIds::kTable));
  QWidget *vbar = m_pView->findChild<QWidget *>(CtlName(GraphIds::kVScroll));
  EXPECT_FALSE(graph->isHidden());
  EXPECT_TRUE(table->isHidden());
  m_pView->OnShowTable();
  EXPECT_TRUE(graph->isHidden());
  EXPECT_TRUE(vbar->isHidden());
  EXPECT_FALSE(table->isHidden());
  EXPECT_TRUE(m_pView->IsShowingTable());
  m_pView->OnShowGraph();
  EXPECT_FALSE(graph->isHidden());
  EXPECT_FALSE(vbar->isHidden());
  EXPECT_TRUE(table->isHidden());
}

} // namespace

namespace {

TEST_F(ViewFixture, ChunksFromTheReaderThreadReachTheSessionThroughTheEventLoop) {
  OpenPort();
  ASSERT_TRUE(m_pLink->m_onChunk);
  const std::uint8_t bytes[] = {0xa5, 0x0d};
  std::thread reader([&] { m_pLink->m_onChunk(bytes, 2); });
  reader.join();
  EXPECT_FALSE(Reading().m_bDataReceived); // queued, not yet delivered
  EXPECT_TRUE(QTest::qWaitFor([&] { return Reading().m_bDataReceived; }, 1000));
}

TEST_F(ViewFixture, ManualPortAsksWithThreeAndSwitchesTheCheckedItem) {
  EXPECT_TRUE(Enabled(32816) && m_commands.Action(32816)->isChecked());
  int nPreset = -1;
  m_pView->SetPortDialog([&](int n) -> std::optional<int> {
    nPreset = n;
    return std::nullopt;
  });
  m_pView->OnPortManual();
  EXPECT_EQ(nPreset, 3);
  m_commands.Update();
  EXPECT_TRUE(m_commands.Action(32815)->isChecked());
  EXPECT_FALSE(m_commands.Action(32816)->isChecked());
  EXPECT_TRUE(m_pLink->m_opened.empty());

  m_pLink->m_openFailures[9] = "Device or resource busy";
  m_pView->SetPortDialog([](int) { return 9; });
  m_pView->OnPortManual();
  EXPECT_EQ(m_pLink->m_opened, std::vector<int>{9});
  ASSERT_EQ(m_prompts.Messages().size(), 1u);
  EXPECT_EQ(m_prompts.Messages()[0], "Warning:Can't open COM9!\nDevice or resource busy");
  m_pView->OnPortAuto();
  m_commands.Update();
  EXPECT_TRUE(m_commands.Action(32816)->isChecked());
}

TEST_F(ViewFixture, HoldSignalFromTheMeterStopsTheRun) {
  Hear();
  m_pView->OnRun();
  Tick();
  const std::uint8_t held[] = {0xa5, 0x0d, 0x06, 0x52, 0xff};
  Session().OnChunk(held, sizeof held);
  EXPECT_TRUE(Reading().m_bHold);
  EXPECT_FALSE(Session().Running());
  EXPECT_FALSE(Active(S::TIMER_SAMPLE));
  EXPECT_TRUE(Rate()->isEnabled());
  EXPECT_EQ(m_stores.m_live.GetSize(), 1u);
}

} // namespace
