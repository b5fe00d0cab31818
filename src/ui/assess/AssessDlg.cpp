#include "assess/AssessDlg.h"

#include "assess/AssessCsv.h"
#include "assess/AssessSettingsHolder.h"
#include "assess/AssessSheets.h"
#include "assess/AssessTables.h"
#include "assess/AssessTexts.h"
#include "assess/ReportPrint.h"
#include "files/AtomicFile.h"
#include "files/WorkbookFile.h"
#include "forms/ControlIds.h"
#include "graph/GraphHost.h"
#include "graph/GraphMouse.h"
#include "graph/GraphicsBtn.h"
#include "kit/DialogBuilder.h"
#include "kit/Prompts.h"
#include "kit/Tr.h"
#include "records/StatData.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace AssessTexts;

namespace {
constexpr int kLiveRefreshMs = 250;

QStringList Heads(const TrText *first, const TrText *last) {
  QStringList out;
  for (; first != last; ++first)
    out << Tr(*first);
  return out;
}

QDoubleSpinBox *SpinBox(double dMin, double dMax, double dValue, int nDecimals) {
  auto *s = new QDoubleSpinBox;
  s->setRange(dMin, dMax);
  s->setDecimals(nDecimals);
  s->setValue(dValue);
  return s;
}
} // namespace

QString RecordingSource(int nGroup) {
  return Tr(kSourceRecording).arg(nGroup);
}

CAssessDlg::CAssessDlg(CPrompts &prompts, const CSampleArray &samples, bool bLive, QString strSource,
                       CAssessSettingsHolder *holder, QWidget *parent)
    : QDialog(parent), m_prompts(prompts), m_samples(samples), m_bLive(bLive),
      m_strSource(std::move(strSource)), m_pHolder(holder) {
  setWindowTitle(Tr(kWindowTitle));
  setAttribute(Qt::WA_DeleteOnClose, false);
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(BuildSettings());

  auto *split = new QSplitter(Qt::Vertical);
  auto *graphBox = new QWidget;
  auto *graphLayout = new QVBoxLayout(graphBox);
  graphLayout->setContentsMargins(0, 0, 0, 0);
  m_pGraph = new CGraphicsBtn(prompts);
  m_pGraph->setObjectName(CtlName(IDC_GRAPH));
  m_pGraph->setMinimumSize(400, 200);
  graphLayout->addWidget(m_pGraph, 1);
  graphLayout->addWidget(BuildReadouts());
  split->addWidget(graphBox);

  m_pTabs = new QTabWidget;
  m_pPeriods = new QTableWidget;
  m_pEvents = new QTableWidget;
  m_pSummary = new QTableWidget;
  SetUpTable(m_pPeriods, Heads(std::begin(kPeriodHeads), std::end(kPeriodHeads)));
  SetUpTable(m_pEvents, Heads(std::begin(kEventHeads), std::end(kEventHeads)));
  SetUpTable(m_pSummary, Heads(std::begin(kSummaryHeads), std::end(kSummaryHeads)));
  m_pTabs->addTab(m_pPeriods, Tr(kTabPeriods));
  m_pTabs->addTab(m_pEvents, Tr(kTabEvents));
  m_pTabs->addTab(m_pSummary, Tr(kTabSummary));
  split->addWidget(m_pTabs);
  layout->addWidget(split, 1);

  auto *buttons = new QHBoxLayout;
  const std::pair<TrText, void (CAssessDlg::*)()> commands[] = {
      {kExportPeriods, &CAssessDlg::OnExportPeriods},
      {kExportEvents, &CAssessDlg::OnExportEvents},
      {kExportWorkbook, &CAssessDlg::OnExportWorkbook},
      {kPrintReport, &CAssessDlg::OnPrintReport}};
  for (const auto &[text, slot] : commands) {
    auto *b = new QPushButton(Tr(text));
    connect(b, &QPushButton::clicked, this, slot);
    buttons->addWidget(b);
  }
  buttons->addStretch(1);
  layout->addWidget(BuildReportInfo());
  layout->addLayout(buttons);

  m_pHost = new CGraphHost(this, *m_pGraph, m_samples);
  connect(m_pEvents, &QTableWidget::currentCellChanged, this,
          [this](int nRow, int, int, int) { SelectEvent(nRow); });

  if (m_pHolder)
    SetControls(m_pHolder->Settings(), m_pHolder->Beep());
  m_live.SetSettings(SettingsFromControls());
  if (m_bLive) {
    m_pTimer = new QTimer(this);
    connect(m_pTimer, &QTimer::timeout, this, &CAssessDlg::Refresh);
    m_pTimer->start(kLiveRefreshMs);
  }
  resize(900, 700);
  Refresh();
}

QWidget *CAssessDlg::BuildSettings() {
  auto *w = new QWidget;
  auto *g = new QHBoxLayout(w);
  g->setContentsMargins(0, 0, 0, 0);
  m_pPeriod = new QComboBox;
  for (std::size_t i = 0; i < kPeriodSeconds.size(); ++i)
    m_pPeriod->addItem(QCoreApplication::translate("Analysis", "%1 min").arg(kPeriodSeconds[i] / 60));
  m_pPeriod->setCurrentIndex(kDefaultPeriodIndex);
  m_pUseThreshold = new QCheckBox(Tr(kThreshold));
  m_pThreshold = SpinBox(0, 200, 85, 1);
  m_pMinDuration = SpinBox(0, 86400, 1, 1);
  m_pRelease = SpinBox(0, 86400, 1, 1);
  m_pUseExposure = new QCheckBox(Tr(kExposure));
  m_pExposure = SpinBox(0.01, 24, 8, 2);
  g->addWidget(new QLabel(Tr(kPeriod)));
  g->addWidget(m_pPeriod);
  g->addWidget(m_pUseThreshold);
  g->addWidget(m_pThreshold);
  g->addWidget(new QLabel(Tr(kMinDuration)));
  g->addWidget(m_pMinDuration);
  g->addWidget(new QLabel(Tr(kRelease)));
  g->addWidget(m_pRelease);
  g->addWidget(m_pUseExposure);
  g->addWidget(m_pExposure);
  if (m_pHolder) {
    m_pBeep = new QCheckBox(Tr(kBeep));
    g->addWidget(m_pBeep);
    connect(m_pBeep, &QCheckBox::toggled, this, &CAssessDlg::OnSettingsEdited);
  }
  g->addStretch(1);
  connect(m_pPeriod, &QComboBox::currentIndexChanged, this, &CAssessDlg::OnSettingsEdited);
  for (QCheckBox *c : {m_pUseThreshold, m_pUseExposure})
    connect(c, &QCheckBox::toggled, this, &CAssessDlg::OnSettingsEdited);
  for (QDoubleSpinBox *s : {m_pThreshold, m_pMinDuration, m_pRelease, m_pExposure})
    connect(s, &QDoubleSpinBox::valueChanged, this, &CAssessDlg::OnSettingsEdited);
  return w;
}

QWidget *CAssessDlg::BuildReadouts() {
  using namespace GraphIds;
  auto *w = new QWidget;
  auto *g = new QGridLayout(w);
  g->setContentsMargins(0, 0, 0, 0);
  const struct {
    const char *label;
    int nId;
  } items[] = {{QT_TRANSLATE_NOOP("Analysis", "A"), kTimeA},
               {"", kLevelA},
               {QT_TRANSLATE_NOOP("Analysis", "B"), kTimeB},
               {"", kLevelB},
               {QT_TRANSLATE_NOOP("Analysis", "Max"), kMax},
               {QT_TRANSLATE_NOOP("Analysis", "Min"), kMin},
               {"", kLeqLabel},
               {"", kLeq},
               {QT_TRANSLATE_NOOP("Analysis", "N"), kCount}};
  int col = 0;
  for (const auto &item : items) {
    if (*item.label)
      g->addWidget(new QLabel(QCoreApplication::translate("Analysis", item.label)), 0, col++);
    auto *value = new QLabel;
    value->setObjectName(CtlName(item.nId));
    value->setMinimumWidth(40);
    g->addWidget(value, 0, col++);
  }
  g->setColumnStretch(col, 1);
  return w;
}

AssessSettings CAssessDlg::SettingsFromControls() const {
  AssessSettings s;
  s.nPeriodSec = kPeriodSeconds[static_cast<std::size_t>(std::max(0, m_pPeriod->currentIndex()))];
  if (m_pUseThreshold->isChecked())
    s.dThreshold = m_pThreshold->value();
  s.dMinDurationSec = m_pMinDuration->value();
  s.dReleaseSec = m_pRelease->value();
  if (m_pUseExposure->isChecked())
    s.dExposureHours = m_pExposure->value();
  return s;
}

void CAssessDlg::SetControls(const AssessSettings &s, bool bBeep) {
  m_bSettingControls = true;
  for (std::size_t i = 0; i < kPeriodSeconds.size(); ++i)
    if (kPeriodSeconds[i] == s.nPeriodSec)
      m_pPeriod->setCurrentIndex(static_cast<int>(i));
  m_pUseThreshold->setChecked(s.dThreshold.has_value());
  if (s.dThreshold)
    m_pThreshold->setValue(*s.dThreshold);
  m_pMinDuration->setValue(s.dMinDurationSec);
  m_pRelease->setValue(s.dReleaseSec);
  m_pUseExposure->setChecked(s.dExposureHours.has_value());
  if (s.dExposureHours)
    m_pExposure->setValue(*s.dExposureHours);
  if (m_pBeep)
    m_pBeep->setChecked(bBeep);
  m_bSettingControls = false;
  OnSettingsEdited();
}

void CAssessDlg::OnSettingsEdited() {
  if (m_bSettingControls)
    return;
  const AssessSettings s = SettingsFromControls();
  m_pThreshold->setEnabled(s.dThreshold.has_value());
  m_pMinDuration->setEnabled(s.dThreshold.has_value());
  m_pRelease->setEnabled(s.dThreshold.has_value());
  m_pExposure->setEnabled(s.dExposureHours.has_value());
  if (m_pHolder)
    m_pHolder->Set(s, m_pBeep && m_pBeep->isChecked());
  m_live.SetSettings(s);
  m_nClosedPeriodsShown = 0;
  m_pEvents->setRowCount(0);
  Refresh();
}

void CAssessDlg::SetSamples(const CSampleArray &samples, QString strSource) {
  m_samples = samples;
  m_strSource = std::move(strSource);
  m_pHost->SetSamples(samples);
  m_live.Restart();
  m_nClosedPeriodsShown = 0;
  m_pEvents->setRowCount(0);
  m_pGraph->m_cursorA = m_pGraph->m_cursorB = -1;
  m_pGraph->SetDefaultView();
  Refresh();
}

void CAssessDlg::Refresh() {
  const std::size_t nBefore = m_live.Assessor().Count();
  const std::size_t nEventsBefore = m_live.Assessor().Events().size();
  m_live.Update(m_samples, !m_bLive);
  if (nBefore == m_live.Assessor().Count() && nBefore != 0 && m_pSummary->rowCount() > 0)
    return; // nothing new
  m_current = m_live.Snapshot();

  // closed periods stay as written; the open one (last) is written again
  std::vector<QStringList> periods;
  for (const PeriodFigures &p : m_current.periods)
    periods.push_back(PeriodRowTexts(p));
  FillTableRows(m_pPeriods, periods, static_cast<int>(std::min(m_nClosedPeriodsShown, periods.size())));
  m_nClosedPeriodsShown = m_live.Assessor().Periods().size();
  std::vector<QStringList> events;
  for (const NoiseEvent &e : m_current.events)
    events.push_back(EventRowTexts(e));
  FillTableRows(m_pEvents, events, static_cast<int>(std::min(nEventsBefore, events.size())));
  FillTableRows(m_pSummary, SummaryRowTexts(m_current));

  GraphMarks marks;
  marks.dThreshold = m_current.settings.dThreshold;
  for (const NoiseEvent &e : m_current.events)
    marks.events.emplace_back(e.nFirst, e.nLast);
  if (const std::optional<CNoiseAssessor::OpenEventState> open = m_live.Assessor().OpenEvent())
    marks.events.emplace_back(open->nFirst, m_live.Assessor().Count() - 1);
  m_pGraph->SetMarks(std::move(marks));
  m_pGraph->DrawGraph(m_samples);
}

void CAssessDlg::SelectEvent(int nRow) {
  if (nRow < 0 || static_cast<std::size_t>(nRow) >= m_current.events.size())
    return;
  const NoiseEvent &e = m_current.events[static_cast<std::size_t>(nRow)];
  m_pGraph->m_cursorA = static_cast<int>(e.nFirst);
  m_pGraph->m_cursorB = static_cast<int>(e.nLast);
  m_pGraph->DrawGraph(m_samples);
  m_pHost->OnGraphCursor(ECursor::A, static_cast<int>(e.nFirst));
  m_pHost->OnGraphCursor(ECursor::B, static_cast<int>(e.nLast));
}

SeriesAssessment CAssessDlg::Complete() const {
  return AssessSeries(m_samples, m_live.Settings());
}

void CAssessDlg::ShowFailure(const std::string &strPath, const std::string &strReason) {
  m_prompts.MessageBox(this, QString::fromStdString(strPath + "\n" + strReason), Tr(kWindowTitle),
                       CPrompts::Buttons::Ok, CPrompts::Icon::Warning);
}

namespace {
// An export's save dialog, starting in the folder the last export went to,
// as the main window's exports do.
std::optional<QString> AskExportPath(CPrompts &prompts, QWidget *parent, TrText filter, const QString &name) {
  QString start = name;
  if (const QString folder = prompts.LastFolder(CPrompts::EFolder::Export); !folder.isEmpty())
    start = QDir(folder).filePath(name);
  std::optional<QString> path = prompts.GetSaveFileName(parent, Tr(filter), start);
  if (path)
    prompts.RememberFolder(CPrompts::EFolder::Export, *path);
  return path;
}
} // namespace

void CAssessDlg::ExportCsv(bool bPeriods) {
  const std::optional<QString> path = AskExportPath(
      m_prompts, this, kCsvFilter, bPeriods ? QStringLiteral("periodos.csv") : QStringLiteral("eventos.csv"));
  if (!path)
    return;
  const SeriesAssessment a = Complete();
  const CFileResult r =
      WriteFileAtomically(path->toStdString(), bPeriods ? PeriodsCsv(a.periods) : EventsCsv(a.events));
  if (!r.Ok())
    ShowFailure(r.strPath, r.strReason);
}

void CAssessDlg::OnExportPeriods() {
  ExportCsv(true);
}

void CAssessDlg::OnExportEvents() {
  ExportCsv(false);
}

void CAssessDlg::OnExportWorkbook() {
  const std::optional<QString> path =
      AskExportPath(m_prompts, this, kWorkbookFilter, QStringLiteral("analise.xlsx"));
  if (!path)
    return;
  StatData stat = ComputeStatistics(m_samples, m_bLive ? kRunStatStart : kRecordingStatStart);
  const CFileResult r =
      WriteWorkbookFile(path->toStdString(), m_samples, stat, {}, AssessmentSheets(Complete()));
  if (!r.Ok())
    ShowFailure(r.strPath, r.strReason);
}

QWidget *CAssessDlg::BuildReportInfo() {
  auto *w = new QWidget;
  auto *g = new QHBoxLayout(w);
  g->setContentsMargins(0, 0, 0, 0);
  const std::pair<QLineEdit **, TrText> edits[] = {{&m_pTitle, kReportTitleLabel},
                                                   {&m_pPlace, kReportPlace},
                                                   {&m_pOperator, kReportOperator},
                                                   {&m_pNotes, kReportNotes}};
  for (const auto &[edit, label] : edits) {
    g->addWidget(new QLabel(Tr(label)));
    *edit = new QLineEdit;
    g->addWidget(*edit, 1);
  }
  return w;
}

ReportInfo CAssessDlg::ReportInfoFromControls() const {
  return {m_pTitle->text().toStdString(), m_pPlace->text().toStdString(), m_pOperator->text().toStdString(),
          m_pNotes->text().toStdString(), m_strSource.toStdString()};
}

void CAssessDlg::SetReportInfo(const ReportInfo &info) {
  m_pTitle->setText(QString::fromStdString(info.strTitle));
  m_pPlace->setText(QString::fromStdString(info.strPlace));
  m_pOperator->setText(QString::fromStdString(info.strOperator));
  m_pNotes->setText(QString::fromStdString(info.strNotes));
}

void CAssessDlg::OnPrintReport() {
  PrintAssessmentReport(Complete(), m_samples, ReportInfoFromControls(), PrintHost{m_prompts, this, {}});
}
