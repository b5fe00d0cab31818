#include "monitor/MyVomoView.h"

#include "forms/CommandIds.h"
#include "forms/ControlIds.h"
#include "forms/Templates.h"
#include "graph/DlgColorSet.h"
#include "graph/GraphicsBtn.h"
#include "kit/CommandRouter.h"
#include "kit/DialogBuilder.h"
#include "kit/ReadoutTexts.h"
#include "monitor/FormColours.h"
#include "monitor/LivePane.h"
#include "monitor/PortDlg.h"
#include "monitor/RTSetup.h"
#include "monitor/ReadoutPanel.h"
#include "print/PrintCommands.h"
#include "session/MonitorRun.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QPushButton>

namespace {
constexpr int kMinWidth = 800;
constexpr int kMinHeight = 550;
} // namespace

CMyVomoView::CMyVomoView(CMeterSession &session, CPrompts &prompts, QWidget *parent)
    : QWidget(parent), m_session(session), m_prompts(prompts) {
  setObjectName(QStringLiteral("myVomoView"));
  m_runSetup = [this](int nSamples) { return RunSetupDialog(m_prompts, this, nSamples); };
  m_askPort = [this](int nPreset) { return AskPortNumber(m_prompts, this, nPreset); };
  BuildForm();
  m_session.AddObserver(*this);
}

CMyVomoView::~CMyVomoView() {
  m_session.RemoveObserver(*this);
}

CGraphicsBtn &CMyVomoView::Graph() {
  return m_pPane->Graph();
}

bool CMyVomoView::IsShowingTable() const {
  return m_pPane->IsShowingTable();
}

QWidget *CMyVomoView::Readout() const {
  return m_pReadout;
}

void CMyVomoView::BuildForm() {
  CDialogBuilder b(FormTemplate());
  b.Build(this);
  resize(b.DialogSize());

  m_pReadout = new CReadoutPanel(m_session.Reading(), this);
  m_pReadout->setObjectName(QStringLiteral("readout"));
  m_pReadout->setAccessibleName(QCoreApplication::translate("MainWindow", "Leitura do medidor"));
  m_pReadout->move(0, 0);
  connect(m_pReadout, &CReadoutPanel::meterKey, this, &CMyVomoView::OnMeterKey);

  // The "Ruído" box and its figures, right of everything else in the form.
  const DlgTemplate &t = FormTemplate();
  for (QWidget *w : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
    const QVariant index = w->property(kTemplateIndex);
    if (index.isValid() && t.controls[static_cast<std::size_t>(index.toInt())].x >= kNoiseBoxX)
      m_noise.push_back({w, w->geometry()});
  }
  m_pPane = std::make_unique<CLivePane>(*this, b, m_prompts, m_session.Stores().m_live);
  m_pRate = DlgItem<QComboBox>(this, StatIds::kRate);
  DlgItem<QGroupBox>(this, FormIds::kGraphBox)->lower();
  m_pReadout->lower();
  connect(DlgItem<QPushButton>(this, FormIds::kShowGraph), &QPushButton::clicked, this,
          &CMyVomoView::OnShowGraph);
  connect(DlgItem<QPushButton>(this, FormIds::kShowTable), &QPushButton::clicked, this,
          &CMyVomoView::OnShowTable);
  ApplyFormColours(*this);
}

void CMyVomoView::RegisterCommands(CCommandRouter &commands) {
  using namespace cmd;
  connect(this, &CMyVomoView::commandStateChanged, &commands, &CCommandRouter::Update);
  CMeterSession &s = m_session;
  // A command that needs the meter cannot act while none is heard, and the
  // run greys what would disturb it.
  commands.SetHandler(
      ID_RUN, [this] { OnRun(); }, [&s] { return s.MeterHeard() && !s.Running(); });
  commands.SetHandler(
      ID_STOP, [this] { OnStop(); }, [&s] { return s.Running(); });
  commands.SetHandler(
      ID_CLEAR, [this] { OnClear(); }, [&s] { return !s.Running(); });
  commands.SetHandler(
      ID_SETUP, [this] { OnSetup(); }, [&s] { return s.MeterHeard() && !s.Running(); });
  commands.SetHandler(
      ID_PORT_AUTO, [this] { OnPortAuto(); }, {}, [&s] { return s.IsAutoPort(); });
  commands.SetHandler(
      ID_PORT_MANUAL, [this] { OnPortManual(); }, {}, [&s] { return !s.IsAutoPort(); });
  const auto host = [this] {
    return PrintHost{m_prompts, this, [this] { return m_session.Clock().WallTime(); }};
  };
  commands.SetHandler(ID_PRINT_GRAPH,
                      [this, host] { PrintGraph(Graph(), Graph().Samples(), m_session.Stat(), host()); });
  commands.SetHandler(ID_PRINT_TABLE, [this, host] {
    PrintTable(CSampleArray(m_session.Stores().m_live), m_session.Stat(), host());
  });
  commands.SetHandler(ID_COLOR_SET, [this] { RunColorSettings(this, m_prompts, Graph()); });
}

void CMyVomoView::OnInitialUpdate() {
  m_pRate->clear();
  for (const char *r : kSampleRateTexts)
    m_pRate->addItem(QString::fromLatin1(r));
  m_pRate->setCurrentIndex(kDefaultRateIndex);
  m_pPane->SetColumnWidths();
  m_session.Begin();
  LayoutControls();
  Graph().SetDefaultView();
  m_pPane->Redraw();
  emit commandStateChanged();
}

void CMyVomoView::RefreshReadout() {
  m_pReadout->Refresh();
  emit readoutRefresh();
}

void CMyVomoView::ShowStatistics() {
  ShowReadoutTexts(this, StatReadouts({m_session.Stat(), m_session.Stores().m_live.GetSize(),
                                       m_session.Noise(), m_session.NoiseLeqLabel()}));
}

void CMyVomoView::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  LayoutControls();
}

void CMyVomoView::LayoutControls() {
  QWidget *pCursorBox = DlgItem<QWidget>(this, FormIds::kCursorBox);
  if (!m_pPane || !pCursorBox)
    return;
  // Below 800 x 550 the controls are placed as if the view were that large.
  const QRect r(0, 0, std::max(width(), kMinWidth), std::max(height(), kMinHeight));
  const QRect g = pCursorBox->geometry();
  // Where the "Ruído" box does not fit at its place (a 1024-pixel screen), it
  // moves under the cursor box, right of a narrower graph.
  QRect home;
  for (const auto &[w, rect] : m_noise)
    home |= rect;
  const bool bHome = home.isEmpty() || r.width() >= home.right() + 12;
  const QPoint shift =
      bHome ? QPoint() : QPoint(r.width() - 32 - home.width(), g.bottom() + 6) - home.topLeft();
  for (const auto &[w, rect] : m_noise)
    w->setGeometry(rect.translated(shift));
  m_pPane->Layout(bHome ? r : r.adjusted(0, 0, -(home.width() + 12), 0), g);
  QWidget *pGraphBox = DlgItem<QWidget>(this, FormIds::kGraphBox);
  pGraphBox->setGeometry(g.left() - 10, r.top() + 10, r.width() - g.left(), r.height() - 20);
  pGraphBox->lower();
  m_pReadout->lower();
}
