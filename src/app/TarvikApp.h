#pragma once

#include "app/AppOptions.h"
#include "records/SampleStore.h"

#include <QObject>
#include <QString>

#include <memory>
#include <string>

class CComPortLink;
class CDeviceArrivalWatcher;
class CMainFrame;
class CMyVomoView;
class CPrompts;
class CPtyMeter;

// The program put together: stores, main frame, monitoring view on the
// meter's port, device arrivals and, with --simulate, a simulated meter on
// a pseudo-terminal that discovery lists as the meter's bridge.
class CTarvikApp : public QObject {
  Q_OBJECT
public:
  static constexpr int kScreenshotLatestMs = 10000;

  CTarvikApp(const AppOptions &options, CPrompts &prompts);
  ~CTarvikApp() override;

  // Starts the simulator when asked; false with the reason when it cannot.
  bool Start(std::string &strError);
  // Shows the frame maximised and runs the view's initial update (the
  // first port discovery 100 ms later).
  void Show();
  // Saves the window's picture to `path` once the first frame has been
  // decoded, or after kScreenshotLatestMs, then emits screenshotTaken.
  void ArmScreenshot(const QString &path, int nLatestMs = kScreenshotLatestMs);

  CDataStores &Stores() { return m_stores; }
  CMainFrame &Frame() { return *m_pFrame; }
  CMyVomoView &View() { return *m_pView; }
  CPtyMeter *Simulator() { return m_pSim.get(); }

signals:
  void screenshotTaken(bool bSaved, const QString &path);

private:
  void TakeScreenshot();

  AppOptions m_options;
  CPrompts &m_prompts;
  CDataStores m_stores;
  std::unique_ptr<CPtyMeter> m_pSim;
  std::unique_ptr<CMainFrame> m_pFrame;
  CMyVomoView *m_pView = nullptr;  // owned by the frame
  CComPortLink *m_pLink = nullptr; // owned by the view
  CDeviceArrivalWatcher *m_pWatcher = nullptr;
  QString m_strScreenshot;
  bool m_bShotTaken = false;
};
