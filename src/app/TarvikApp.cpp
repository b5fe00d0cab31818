#include "app/TarvikApp.h"

#include "app/MainFrame.h"
#include "app/QuitSignals.h"
#include "journal/JournalKeeper.h"
#include "journal/StateFolder.h"
#include "monitor/ComPortLink.h"
#include "monitor/MyVomoView.h"
#include "monitor/RegistoFlow.h"
#include "serial/DeviceArrivalWatcher.h"
#include "serial/PortEnumerator.h"
#include "sim/PtyMeter.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QSessionManager>
#include <QStatusBar>
#include <QTimer>

CTarvikApp::CTarvikApp(const AppOptions &options, CPrompts &prompts)
    : m_options(options), m_prompts(prompts) {
  m_pFrame = std::make_unique<CMainFrame>(m_stores, m_prompts);
  auto link = std::make_unique<CComPortLink>();
  m_pLink = link.get();
  if (!m_options.strPortTemplate.empty())
    m_pLink->Port().SetPortTemplate(m_options.strPortTemplate);
  m_pView = new CMyVomoView(m_stores, m_prompts, std::move(link));
  m_pFrame->setCentralWidget(m_pView);
  m_pView->RegisterCommands(m_pFrame->Commands());
  connect(m_pFrame.get(), &CMainFrame::deviceArrived, m_pView, &CMyVomoView::OnDeviceArrived);
  m_pWatcher = new CDeviceArrivalWatcher(QStringLiteral("/dev"), QStringLiteral("/sys"),
                                         CDeviceArrivalWatcher::kRescanMs, CDeviceArrivalWatcher::kSettleMs,
                                         m_pFrame.get());
  connect(m_pWatcher, &CDeviceArrivalWatcher::deviceArrived, m_pFrame.get(), &CMainFrame::OnDeviceArrived);

  m_pJournal = std::make_unique<CJournalKeeper>(m_options.strStateFolder.empty() ? DefaultStateFolder()
                                                                                 : m_options.strStateFolder,
                                                *m_pView, m_stores, m_prompts);
  connect(m_pJournal.get(), &CJournalKeeper::problem, m_pFrame.get(),
          [this](const QString &text) { m_pFrame->statusBar()->showMessage(text); });
  // A close the user chose lets the samples go; an ordered end keeps them.
  connect(m_pFrame.get(), &CMainFrame::closed, this, [this] { m_pJournal->EndDiscarding(); });
  connect(m_pView, &CMyVomoView::downloadStalled, m_pFrame.get(),
          [this] { m_pFrame->statusBar()->showMessage(QString::fromUtf8(kDownloadStalledText)); });
  m_pQuitSignals = new CQuitSignals(this);
  connect(m_pQuitSignals, &CQuitSignals::quitRequested, this, &CTarvikApp::EndWithoutAsking);
  if (auto *gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
    connect(gui, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager &) { EndWithoutAsking(); });
  if (m_options.nRunRate >= 0) {
    connect(m_pView, &CMyVomoView::firstFrameDecoded, this,
            [this] { m_pView->StartRunAt(m_options.nRunRate); });
  }
}

std::size_t CTarvikApp::OfferRecovery() {
  return m_pJournal->OfferRecovery(m_pFrame.get());
}

void CTarvikApp::EndWithoutAsking() {
  m_pJournal->EndKeeping();
  m_pFrame->CloseWithoutAsking();
}

CTarvikApp::~CTarvikApp() {
  // Destroyed without a close (a crash in tests): the journal stays as it is.
  m_pJournal.reset();
  // The view closes its port before the simulator's side of it goes away.
  m_pFrame.reset();
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
  m_pLink->Discovery().AddExtraPort(port);
  m_pLink->Port().SetPortTemplate("/dev/pts/%d");
  return true;
}

void CTarvikApp::Show() {
  // Without a window manager (a virtual display) nothing maximises the
  // window, so it starts at the screen's size anyway.
  if (QScreen *screen = QGuiApplication::primaryScreen())
    m_pFrame->setGeometry(screen->availableGeometry());
  m_pFrame->showMaximized();
  m_pView->OnInitialUpdate();
}

void CTarvikApp::ArmScreenshot(const QString &path, int nLatestMs) {
  m_strScreenshot = path;
  // One more frame's worth of time, so the decoded reading is painted.
  connect(m_pView, &CMyVomoView::firstFrameDecoded, this,
          [this] { QTimer::singleShot(300, this, &CTarvikApp::TakeScreenshot); });
  QTimer::singleShot(nLatestMs, this, &CTarvikApp::TakeScreenshot);
}

void CTarvikApp::TakeScreenshot() {
  if (m_bShotTaken)
    return;
  m_bShotTaken = true;
  const bool bSaved = m_pFrame->grab().save(m_strScreenshot, "PNG");
  emit screenshotTaken(bSaved, m_strScreenshot);
}
