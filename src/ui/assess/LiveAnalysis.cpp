#include "assess/LiveAnalysis.h"

#include "assess/AssessDlg.h"
#include "assess/AssessTexts.h"
#include "assess/EventJournal.h"
#include "assess/LiveAlarm.h"
#include "files/TextDataFile.h"
#include "kit/Tr.h"
#include "records/SampleStore.h"

#include <QMainWindow>
#include <QMenuBar>

CLiveAnalysis::CLiveAnalysis(QMainWindow &frame, CDataStores &stores, CPrompts &prompts)
    : m_frame(frame), m_stores(stores), m_prompts(prompts) {
  QMenuBar *bar = frame.menuBar();
  auto *menu = new QMenu(Tr(AssessTexts::kMenu), bar);
  // before "Ajuda", the last menu
  const QList<QAction *> menus = bar->actions();
  bar->insertMenu(menus.isEmpty() ? nullptr : menus.back(), menu);
  QAction *open = menu->addAction(Tr(AssessTexts::kWindowTitle));
  open->setObjectName(QStringLiteral("assessLive"));
  connect(open, &QAction::triggered, this, &CLiveAnalysis::OnAnalysis);
  m_pAlarm = new CLiveAlarm(frame, stores, m_settings);
  m_pAlarm->setParent(this);
}

CLiveAnalysis::~CLiveAnalysis() {
  delete m_pWindow;
}

void CLiveAnalysis::OnAnalysis() {
  if (!m_pWindow)
    m_pWindow =
        new CAssessDlg(m_prompts, m_stores.m_live, true, Tr(AssessTexts::kSourceLive), &m_settings, &m_frame);
  m_pWindow->show();
  m_pWindow->raise();
}

CAssessDlg *CLiveAnalysis::Window() const {
  return m_pWindow;
}

void CLiveAnalysis::RestoreFromJournal(const std::string &strJournalPath) {
  std::string text;
  if (!ReadWholeFile(EventJournalPath(strJournalPath), text).Ok())
    return; // a run journalled without an assessment
  if (const JournalledAssessment j = ParseEventJournal(text); j.settings)
    m_settings.Set(*j.settings, m_settings.Beep());
}
