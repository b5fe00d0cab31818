#pragma once

#include "app/AppOptions.h"
#include "records/SampleStore.h"
#include "session/SessionClock.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <string>

class CComPortLink;
class CDataFileMenu;
class CJournalKeeper;
class CLiveAnalysis;
class CQuitSignals;
class CDeviceArrivalWatcher;
class CMainFrame;
class CMeterSession;
class CMyVomoView;
class CPrompts;
class CPtyMeter;
class CRegistoFlow;
class CSessionNotices;
class CSessionHost;
class IMeterLink;

// The program put together: stores, the meter session on the meter's port,
// main frame, monitoring view, data logger window and download pop-up,
// device arrivals and, with --simulate, a simulated meter on a
// pseudo-terminal that discovery lists as the meter's bridge.
class CTarvikApp : public QObject {
  Q_OBJECT
public:
  static constexpr int kScreenshotLatestMs = 10000;
  static constexpr int kSceneLatestMs = 60000; // graph and data logger pictures

  CTarvikApp(const AppOptions &options, CPrompts &prompts);
  // On another link and clock (tests: a scripted link, a clock they move).
  CTarvikApp(const AppOptions &options, CPrompts &prompts, std::unique_ptr<IMeterLink> link,
             ISessionClock &clock);
  ~CTarvikApp() override;

  // Starts the simulator when asked; false with the reason when it cannot.
  bool Start(std::string &strError);
  // Shows the frame maximised and runs the view's initial update (the
  // first port discovery 100 ms later), or opens the port last chosen by hand.
  void Show();
  // Saves a picture to `path`, then emits screenshotTaken. What is pictured
  // follows the --screenshot-of option: the main window once the first frame
  // has been decoded (or after nLatestMs); the main window after a run of 40
  // samples at 0.1 s; the data logger window after a download with its first
  // recording chosen. The last two fail when not done within nLatestMs.
  void ArmScreenshot(const QString &path, int nLatestMs = kScreenshotLatestMs);
  // A size for pictures that does not depend on the screen it was made on.
  static constexpr int kShotWidth = 1280, kShotHeight = 800;

  // Asked at start: runs of instances that did not end normally.
  std::size_t OfferRecovery();
  // A signal or a logout: ends as "Sair" does, without asking, keeping the
  // run journal for the next start.
  void EndWithoutAsking();

  CDataStores &Stores() { return m_stores; }
  CMainFrame &Frame() { return *m_pFrame; }
  CMyVomoView &View() { return *m_pView; }
  CMeterSession &Session();
  CSessionHost &SessionHost() { return *m_pHost; }
  CDataFileMenu &FileMenu() { return *m_pFileMenu; }
  CRegistoFlow &Registo() { return *m_pRegisto; }
  const CSessionNotices &Notices() const { return *m_pNotices; }
  CLiveAnalysis &Analysis() { return *m_pAnalysis; }
  CPtyMeter *Simulator() { return m_pSim.get(); }
  CJournalKeeper &Journal() { return *m_pJournal; }

signals:
  void screenshotTaken(bool bSaved, const QString &path);

private:
  void TakeScreenshot();
  void SaveShot(QWidget &window);
  void StartShotScene();
  // Levels and recordings worth a picture, on the simulated meter.
  void StageSimulatedMeter();
  // Keeps the port chosen by hand in the settings (none: automatic selection).
  void RememberPort(std::optional<int> nPort);

  AppOptions m_options;
  CPrompts &m_prompts;
  CDataStores m_stores;
  std::unique_ptr<CPtyMeter> m_pSim;
  CSystemClock m_systemClock;      // the clock of the program itself
  CComPortLink *m_pLink = nullptr; // the production link, owned by the host; null on another link
  std::unique_ptr<CSessionHost> m_pHost;
  std::unique_ptr<CMainFrame> m_pFrame;
  CMyVomoView *m_pView = nullptr;             // owned by the frame
  std::unique_ptr<CDataFileMenu> m_pFileMenu; // file commands and the data logger window
  std::unique_ptr<CRegistoFlow> m_pRegisto;
  std::unique_ptr<CSessionNotices> m_pNotices; // status bar and messages
  std::unique_ptr<CLiveAnalysis> m_pAnalysis;  // "Análise" on the live run, the live alarm
  CDeviceArrivalWatcher *m_pWatcher = nullptr;
  std::unique_ptr<CJournalKeeper> m_pJournal;
  CQuitSignals *m_pQuitSignals = nullptr;
  QString m_strScreenshot;
  bool m_bShotTaken = false;
  bool m_bSceneStarted = false;
};
