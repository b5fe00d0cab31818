#pragma once

#include "lang/TrText.h"
#include "monitor/LogState.h"
#include "session/MeterSession.h"

#include <functional>
#include <memory>

// Status bar text when a stalled download was ended.
inline constexpr TrText kDownloadStalledText =
    TARVIK_TR("StatusBar", "Transferência terminada: nenhum dado do registo em 10 s; mantido o que chegou");

class CCommandRouter;
class CPrompts;
class QWidget;

// The "Registo" command on the window side: the session empties the
// data-logger store and downloads the meter's memory; this shows the
// progress pop-up while the download comes in, lets Esc leave it, and
// then opens the data logger window on what arrived.
class CRegistoFlow : public QObject, private ISessionObserver {
  Q_OBJECT
public:
  struct Hooks {
    // The open data logger window lets go of its selection and redraws,
    // before the records it points at are destroyed.
    std::function<void()> releaseLoggerSelection;
    // Opens the data logger window on the store, or re-creates an open one.
    std::function<void()> showDataLogger;
  };

  CRegistoFlow(CMeterSession &session, CPrompts &prompts, Hooks hooks, QWidget *pParent);
  ~CRegistoFlow() override;

  // "Registo" (ID_DOWNLOAD): enabled while the meter is heard and no download runs.
  void RegisterCommands(CCommandRouter &commands);
  void OnRegisto();
  CLogState &Dialog() { return *m_pDialog; }

signals:
  // The data logger window has been opened on the new store contents.
  void finished();

private:
  void OnLogStoreChanging() override;
  void OnDownloadProgress(int nUpper, int nPos) override;
  void OnDownloadEnded(EDownloadEnd eReason) override;

  CMeterSession &m_session;
  CPrompts &m_prompts;
  Hooks m_hooks;
  QWidget *m_pParent;
  std::unique_ptr<CLogState> m_pDialog; // no parent window, as the meter software has it
};
