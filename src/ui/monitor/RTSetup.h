#pragma once

#include "kit/TimerSet.h"

#include <QDialog>

#include <ctime>
#include <functional>
#include <optional>

class CPrompts;
class QComboBox;
class QLineEdit;

// What "Iniciar" hands back: the sample count and the rate's index.
struct SetupChoice {
  int nSamples = 0;
  int nRateIndex = 0;
};
// Shows the dialog modally for a run of `nSamples`; nothing on "Anular".
std::optional<SetupChoice> RunSetupDialog(CPrompts &prompts, QWidget *parent, int nSamples);

// "Configuração registro": sample count and rate of a run, with its
// duration, start and end shown; "Iniciar" hands both back to the view.
class CRTSetup : public QDialog {
  Q_OBJECT
public:
  static constexpr int TIMER_REFRESH = 1;

  explicit CRTSetup(CPrompts &prompts, QWidget *parent = nullptr);

  int m_nRateIndex = 0; // set from the list when "Iniciar" is pressed
  int m_nSamples = 0;   // set by the caller before showing

  void SetClock(std::function<std::time_t()> now) { m_now = std::move(now); }
  // Fills the fields from the members; exec() calls it, tests may call it
  // directly.
  void OnInitDialog();
  void OnTimer(int nId);
  CTimerSet &Timers() { return m_timers; }

  int exec() override;
  void accept() override;

private:
  // Reads edit 1044 back; shows the validation message and gives the edit
  // the focus when it is not a count from 1 to 40000.
  bool ReadSamples();
  void WriteSamples();
  void Recompute();
  void ShowTimes(double dSeconds);
  void OnSamplesEdited();

  CPrompts &m_prompts;
  CTimerSet m_timers;
  std::function<std::time_t()> m_now;
  QLineEdit *m_pSamples = nullptr;
  QComboBox *m_pRate = nullptr;
  QLineEdit *m_editDuration = nullptr;
  bool m_bInitialised = false;
  bool m_bWriting = false;
};
