#include "app/TarvikApp.h"

#include "app/MainFrame.h"
#include "app/QuitSignals.h"
#include "app/SessionNotices.h"
#include "assess/EventJournal.h"
#include "assess/LiveAlarm.h"
#include "assess/LiveAnalysis.h"
#include "datalog/DataFileMenu.h"
#include "datalog/DataLogHolder.h"
#include "forms/CommandIds.h"
#include "forms/UiTexts.h"
#include "graph/ColorSettings.h"
#include "journal/JournalKeeper.h"
#include "journal/StateFolder.h"
#include "kit/Tr.h"
#include "monitor/MyVomoView.h"
#include "monitor/RegistoFlow.h"
#include "serial/ChosenPort.h"
#include "serial/DeviceArrivalWatcher.h"
#include "serial/PortEnumerator.h"
#include "session/ComPortLink.h"
#include "session/SessionHost.h"
#include "sim/PtyMeter.h"

#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QSessionManager>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

namespace {
std::unique_ptr<CComPortLink> MakePortLink(const AppOptions &options) {
  auto link = std::make_unique<CComPortLink>();
  if (!options.strPortTemplate.empty())
    link->Port().SetPortTemplate(options.strPortTemplate);
  return link;
}
} // namespace

CTarvikApp::CTarvikApp(const AppOptions &options, CPrompts &prompts)
    : CTarvikApp(options, prompts, MakePortLink(options), m_systemClock) {}

CTarvikApp::CTarvikApp(const AppOptions &options, CPrompts &prompts, std::unique_ptr<IMeterLink> link,
                       ISessionClock &clock)
    : m_options(options), m_prompts(prompts) {
  m_pLink = dynamic_cast<CComPortLink *>(link.get());
  m_pHost = std::make_unique<CSessionHost>(m_stores, std::move(link), clock);
  m_pFrame = std::make_unique<CMainFrame>(m_stores, m_prompts);
  m_pView = new CMyVomoView(Session(), m_prompts);
  m_pFrame->setCentralWidget(m_pView);
  m_pView->RegisterCommands(m_pFrame->Commands());
  m_pFileMenu =
      std::make_unique<CDataFileMenu>(m_stores, m_prompts, m_pView, [this] { return Session().Stat(); });
  m_pFileMenu->RegisterCommands(m_pFrame->Commands());
  CRegistoFlow::Hooks hooks;
  hooks.releaseLoggerSelection = [this] { m_pFileMenu->DataLog().BeforeLogStoreChange(); };
  hooks.showDataLogger = [this] { m_pFileMenu->DataLog().ShowAfresh(); };
  m_pRegisto = std::make_unique<CRegistoFlow>(Session(), m_prompts, std::move(hooks), m_pView);
  m_pRegisto->RegisterCommands(m_pFrame->Commands());
  m_pView->SetSaveLive([this] { return m_pFileMenu->SaveLive(); });
  m_pFrame->SetSaveLive([this] { return m_pFileMenu->SaveLive(); });
  m_pFileMenu->SetAfterLiveSaved([this] {
    if (m_pJournal)
      m_pJournal->OnLiveSaved();
  });
  connect(m_pFrame.get(), &CMainFrame::deviceArrived, m_pView, [this] { Session().OnDeviceArrived(); });
  m_pNotices = std::make_unique<CSessionNotices>(Session(), *m_pFrame, m_prompts);
  m_pAnalysis = std::make_unique<CLiveAnalysis>(*m_pFrame, m_stores, m_prompts);
  m_pWatcher = new CDeviceArrivalWatcher(QStringLiteral("/dev"), QStringLiteral("/sys"),
                                         CDeviceArrivalWatcher::kRescanMs, CDeviceArrivalWatcher::kSettleMs,
                                         m_pFrame.get());
  connect(m_pWatcher, &CDeviceArrivalWatcher::deviceArrived, m_pFrame.get(), &CMainFrame::OnDeviceArrived);

  m_pJournal = std::make_unique<CJournalKeeper>(
      m_options.strStateFolder.empty() ? DefaultStateFolder() : m_options.strStateFolder, Session(), m_stores,
      m_prompts, [this] { m_pView->ShowLiveStore(); });
  connect(m_pJournal.get(), &CJournalKeeper::problem, m_pFrame.get(),
          [this](const QString &text) { m_pFrame->statusBar()->showMessage(text); });
  // A close the user chose lets the samples go; an ordered end keeps them.
  connect(m_pFrame.get(), &CMainFrame::closed, this, [this] {
    m_pJournal->EndDiscarding();
    m_pAnalysis->Alarm().ForgetJournalled();
  });
  m_pAnalysis->Alarm().SetJournalPath(
      [this] { return m_pJournal->Journal().HasFile() ? m_pJournal->Journal().Path() : std::string(); });
  connect(&m_pAnalysis->Alarm(), &CLiveAlarm::problem, m_pFrame.get(),
          [this](const QString &text) { m_pFrame->statusBar()->showMessage(text); });
  m_pQuitSignals = new CQuitSignals(this);
  connect(m_pQuitSignals, &CQuitSignals::quitRequested, this, &CTarvikApp::EndWithoutAsking);
  if (auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
    connect(gui, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager &) { EndWithoutAsking(); });
  // The port chosen by hand is opened again at the next start.
  connect(m_pView, &CMyVomoView::portChosenByHand, this, [this](int nPort) { RememberPort(nPort); });
  connect(m_pView, &CMyVomoView::autoPortChosen, this, [this] { RememberPort(std::nullopt); });
  if (m_options.nRunRate >= 0) {
    connect(m_pView, &CMyVomoView::firstFrameDecoded, this,
            [this] { m_pView->StartRunAt(m_options.nRunRate); });
  }
}

std::size_t CTarvikApp::OfferRecovery() {
  const std::size_t n = m_pJournal->OfferRecovery(m_pFrame.get());
  if (n > 0)
    m_pAnalysis->RestoreFromJournal(m_pJournal->Journal().Path());
  RemoveEventJournalsWithoutJournal(m_options.strStateFolder.empty() ? DefaultStateFolder()
                                                                     : m_options.strStateFolder);
  return n;
}

void CTarvikApp::EndWithoutAsking() {
  m_pJournal->EndKeeping();
  m_pFrame->CloseWithoutAsking();
}

CMeterSession &CTarvikApp::Session() {
  return m_pHost->Session();
}

CTarvikApp::~CTarvikApp() {
  // Destroyed without a close (a crash in tests): the journal stays as it is.
  m_pJournal.reset();
  // The windows go before the session they observe, and the session closes
  // its port before the simulator's side of it goes away.
  m_pNotices.reset();
  m_pAnalysis.reset();
  m_pRegisto.reset();
  m_pFileMenu.reset(); // its window points into the stores
  m_pFrame.reset();
  m_pHost.reset();
  if (m_pSim)
    m_pSim->Stop();
}

bool CTarvikApp::Start(std::string &strError) {
  if (!m_options.bSimulate)
    return true;
  m_pSim = std::make_unique<CPtyMeter>();
  if (!m_pSim->Start()) {
    strError = "cannot start the simulated meter: " + m_pSim->Error();
    return false;
  }
  // Listed as the meter's bridge, so discovery, opening and the silence
  // check run exactly as with a real meter; its number is a pts number.
  CPortInfo port;
  port.m_strName = "pts/" + std::to_string(m_pSim->SlaveNumber());
  port.m_strDevice = m_pSim->SlavePath();
  port.m_nNumber = m_pSim->SlaveNumber();
  port.m_strDescription = kBridgeDescription;
  if (!m_pLink) {
    strError = "the simulated meter needs the serial link";
    return false;
  }
  m_pLink->Discovery().AddExtraPort(port);
  m_pLink->Port().SetPortTemplate("/dev/pts/%d");
  if (!m_options.strScreenshot.empty())
    StageSimulatedMeter();
  return true;
}

void CTarvikApp::StageSimulatedMeter() {
  // A street at dusk: traffic swelling and fading, then two recordings.
  std::vector<double> levels;
  for (int i = 0; i < 64; ++i)
    levels.push_back(std::round((62.0 + 9.0 * std::sin(i / 5.0) + 4.0 * std::sin(i / 1.7)) * 10.0) / 10.0);
  std::vector<CSimRecording> recordings(2);
  recordings[0].m_nYear = 2026, recordings[0].m_nMonth = 5, recordings[0].m_nDay = 14;
  recordings[0].m_nHour = 8, recordings[0].m_nMinute = 30;
  for (int i = 0; i < 120; ++i)
    recordings[0].m_levels.push_back(
        std::round((58.0 + 12.0 * std::sin(i / 9.0) + 3.0 * std::cos(i / 2.3)) * 10) / 10);
  recordings[1] = recordings[0];
  recordings[1].m_nHour = 17;
  recordings[1].m_nInterval = 2;
  recordings[1].m_bWeightA = false;
  m_pSim->WithSim([&](CMeterSim &sim) {
    sim.SetLevelSource(CLevelSource::Sequence(levels));
    sim.SetRecordings(recordings);
  });
  m_pSim->SetFrameInterval(std::chrono::milliseconds(100));
}

void CTarvikApp::Show() {
  if (!m_strScreenshot.isEmpty()) {
    // Pictures for the manual have one size, whatever the screen.
    m_pFrame->resize(kShotWidth, kShotHeight);
    m_pFrame->show();
    m_pView->OnInitialUpdate();
    return;
  }
  // Without a window manager (a virtual display) nothing maximises the
  // window, so it starts at the screen's size anyway.
  if (QScreen *screen = QGuiApplication::primaryScreen())
    m_pFrame->setGeometry(screen->availableGeometry());
  m_pFrame->showMaximized();
  m_pView->OnInitialUpdate();
  // The simulated meter is the meter of its own run, whatever was chosen before.
  if (!m_options.bSimulate)
    if (const std::optional<int> nPort = ReadChosenPort(QFile::encodeName(ColorConfigPath()).toStdString()))
      Session().ChoosePort(*nPort);
}

void CTarvikApp::RememberPort(std::optional<int> nPort) {
  if (m_options.bSimulate)
    return; // a pseudo-terminal's number is no port of the user's meter
  const CFileResult r = WriteChosenPort(QFile::encodeName(ColorConfigPath(true)).toStdString(), nPort);
  if (!r.Ok())
    m_pFrame->statusBar()->showMessage(
        Tr(UiTexts::kPortNotRemembered).arg(QString::fromStdString(r.strPath + ": " + r.strReason)));
}

void CTarvikApp::ArmScreenshot(const QString &path, int nLatestMs) {
  m_strScreenshot = path;
  if (m_options.strScreenshotOf == "main") {
    // One more frame's worth of time, so the decoded reading is painted.
    connect(m_pView, &CMyVomoView::firstFrameDecoded, this,
            [this] { QTimer::singleShot(300, this, &CTarvikApp::TakeScreenshot); });
    QTimer::singleShot(nLatestMs, this, &CTarvikApp::TakeScreenshot);
    return;
  }
  connect(m_pView, &CMyVomoView::firstFrameDecoded, this, &CTarvikApp::StartShotScene);
  // A run of 40 samples takes 4 s of its own; a loaded build machine needs more.
  QTimer::singleShot(std::max(nLatestMs, kSceneLatestMs), this, [this] {
    if (m_bShotTaken)
      return;
    m_bShotTaken = true;
    emit screenshotTaken(false, m_strScreenshot); // the scene never completed
  });
}

void CTarvikApp::StartShotScene() {
  if (m_bSceneStarted)
    return;
  m_bSceneStarted = true;
  if (m_options.strScreenshotOf == "graph") {
    // Through "Configuração": 40 samples at 0.1 s, the run ends by itself.
    m_pView->SetSetupDialog([](int) { return SetupChoice{40, 0}; });
    connect(m_pView, &CMyVomoView::runStopped, this,
            [this] { QTimer::singleShot(200, this, [this] { SaveShot(*m_pFrame); }); });
    m_pView->OnSetup();
    return;
  }
  connect(m_pRegisto.get(), &CRegistoFlow::finished, this, [this] {
    CDataLogDlg *dlg = m_pFileMenu->DataLog().Get();
    if (!dlg)
      return;
    dlg->SelectRow(0);
    dlg->FitTo(QRect(0, 0, kShotWidth * 2, kShotHeight * 2)); // the whole window, whatever the screen
    QTimer::singleShot(300, this, [this, dlg] { SaveShot(*dlg); });
  });
  m_pFrame->Commands().Execute(cmd::ID_DOWNLOAD);
}

void CTarvikApp::TakeScreenshot() {
  SaveShot(*m_pFrame);
}

void CTarvikApp::SaveShot(QWidget &window) {
  if (m_bShotTaken)
    return;
  m_bShotTaken = true;
  const bool bSaved = window.grab().save(m_strScreenshot, "PNG");
  emit screenshotTaken(bSaved, m_strScreenshot);
}
