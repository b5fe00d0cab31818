#include "app/TarvikApp.h"

#include "app/MainFrame.h"
#include "datalog/DataFileMenu.h"
#include "monitor/MyVomoView.h"
#include "monitor/RegistoFlow.h"
#include "monitor/SessionHost.h"
#include "serial/DeviceArrivalWatcher.h"
#include "serial/PortEnumerator.h"
#include "session/ComPortLink.h"
#include "sim/PtyMeter.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

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
  connect(m_pFrame.get(), &CMainFrame::deviceArrived, m_pView, [this] { Session().OnDeviceArrived(); });
  m_pWatcher = new CDeviceArrivalWatcher(QStringLiteral("/dev"), QStringLiteral("/sys"),
                                         CDeviceArrivalWatcher::kRescanMs, CDeviceArrivalWatcher::kSettleMs,
                                         m_pFrame.get());
  connect(m_pWatcher, &CDeviceArrivalWatcher::deviceArrived, m_pFrame.get(), &CMainFrame::OnDeviceArrived);
}

CMeterSession &CTarvikApp::Session() {
  return m_pHost->Session();
}

CTarvikApp::~CTarvikApp() {
  // The windows go before the session they observe, and the session closes
  // its port before the simulator's side of it goes away.
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
