#include "assess/LiveAlarm.h"

#include "assess/AssessSettingsHolder.h"
#include "assess/AssessSummary.h"
#include "assess/EventJournal.h"
#include "kit/TrStd.h"
#include "records/SampleStore.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <unistd.h>

CLiveAlarm::CLiveAlarm(QMainWindow &frame, CDataStores &stores, CAssessSettingsHolder &settings,
                       std::function<void()> beep)
    : m_frame(frame), m_stores(stores), m_settings(settings), m_beep(std::move(beep)),
      m_live(settings.Settings()) {
  if (!m_beep)
    m_beep = [] { QApplication::beep(); };
  m_pBar = new QToolBar(&frame);
  m_pBar->setObjectName(QStringLiteral("thresholdAlarm"));
  m_pBar->setMovable(false);
  m_pBar->setFloatable(false);
  m_pBanner = new QLabel;
  m_pBanner->setAlignment(Qt::AlignCenter);
  m_pBanner->setStyleSheet(QStringLiteral("QLabel { background: #d00000; color: white; font-weight: bold; "
                                          "padding: 6px; }"));
  m_pBanner->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  m_pBar->addWidget(m_pBanner);
  frame.addToolBarBreak(Qt::TopToolBarArea);
  frame.addToolBar(Qt::TopToolBarArea, m_pBar);
  m_pBar->hide();
  connect(&settings, &CAssessSettingsHolder::changed, this, [this] {
    m_live.SetSettings(m_settings.Settings());
    m_bSettingsJournalled = false;
    m_nEventsJournalled = 0;
    Poll();
  });
  m_pTimer = new QTimer(this);
  connect(m_pTimer, &QTimer::timeout, this, &CLiveAlarm::Poll);
  m_pTimer->start(kPollMs);
}

void CLiveAlarm::Poll() {
  const CNoiseAssessor::Change c = m_live.Update(m_stores.m_live);
  Journal();
  if (!m_settings.Settings().dThreshold) {
    Show(QString());
    return;
  }
  std::optional<CNoiseAssessor::OpenEventState> open = m_live.Assessor().OpenEvent();
  if (m_live.Assessor().Count() != m_nSeen || !m_sinceSample.isValid()) {
    m_nSeen = m_live.Assessor().Count();
    m_sinceSample.start();
  } else if (open && m_sinceSample.elapsed() > (m_settings.Settings().dReleaseSec + 2.0) * 1000.0) {
    open.reset();
  }
  if (c.EventOpened() && open && m_settings.Beep()) {
    ++m_nBeeps;
    m_beep();
  }
  Show(open ? QString::fromStdString(AlarmText(open->dLmax, open->tStart, TrStd)) : QString());
}

void CLiveAlarm::Show(const QString &text) {
  if (text == m_strText)
    return;
  QStatusBar *status = m_frame.statusBar();
  if (text.isEmpty()) {
    if (status->currentMessage() == m_strText)
      status->clearMessage();
    m_pBar->hide();
  } else {
    status->showMessage(text);
    m_pBanner->setText(text);
    m_pBar->show();
  }
  m_strText = text;
  emit alarmChanged(text);
}

void CLiveAlarm::Journal() {
  const std::string strJournal = m_journalPath ? m_journalPath() : std::string();
  if (strJournal.empty())
    return;
  const std::string strSidecar = EventJournalPath(strJournal);
  if (strSidecar != m_strSidecar) { // a new run, or its samples were cleared
    ForgetJournalled();
    m_strSidecar = strSidecar;
    m_bSettingsJournalled = m_bJournalBroken = false;
    m_nEventsJournalled = 0;
  }
  const std::vector<NoiseEvent> &events = m_live.Assessor().Events();
  if (events.size() < m_nEventsJournalled) // the run started over
    m_bSettingsJournalled = false;
  if (m_bJournalBroken || (m_bSettingsJournalled && events.size() == m_nEventsJournalled))
    return;
  std::string lines;
  if (!m_bSettingsJournalled) {
    lines = SettingsJournalLine(m_settings.Settings());
    m_nEventsJournalled = 0;
  }
  for (std::size_t i = m_nEventsJournalled; i < events.size(); ++i)
    lines += EventJournalLine(events[i]);
  const CFileResult r = AppendToFile(m_strSidecar, lines);
  if (!r.Ok()) {
    m_bJournalBroken = true;
    emit problem(QString::fromStdString(r.strPath + ": " + r.strReason));
    return;
  }
  m_bSettingsJournalled = true;
  m_nEventsJournalled = events.size();
}

void CLiveAlarm::ForgetJournalled() {
  if (m_strSidecar.empty())
    return;
  const std::string strJournal = m_strSidecar.substr(0, m_strSidecar.size() - EventJournalPath("").size());
  if (::access(strJournal.c_str(), F_OK) != 0)
    ::unlink(m_strSidecar.c_str());
}
