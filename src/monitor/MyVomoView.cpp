#include "monitor/MyVomoView.h"

#include "app/PortDlg.h"
#include "graph/DlgColorSet.h"
#include "graph/GraphHost.h"
#include "graph/GraphicsBtn.h"
#include "monitor/RTSetup.h"
#include "monitor/ReadoutPanel.h"
#include "monitor/SampleTableModel.h"
#include "print/PrintCommands.h"
#include "res/ControlIds.h"
#include "res/Templates.h"
#include "session/MonitorRun.h"
#include "uikit/CommandIds.h"
#include "uikit/CommandRouter.h"
#include "uikit/DialogBuilder.h"
#include "uikit/ReadoutTexts.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

CMyVomoView::CMyVomoView(CMeterSession &session, CPrompts &prompts, QWidget *parent)
    : QWidget(parent), m_session(session), m_prompts(prompts) {
  setObjectName(QStringLiteral("myVomoView"));
  m_runSetup = [this](int nSamples) -> std::optional<SetupChoice> {
    CRTSetup dlg(m_prompts, this);
    dlg.m_nSamples = nSamples;
    if (dlg.exec() != QDialog::Accepted)
      return std::nullopt;
    return SetupChoice{dlg.m_nSamples, dlg.m_nRateIndex};
  };
  m_askPort = [this](int nPreset) -> std::optional<int> {
    CPort dlg(m_prompts, this);
    dlg.m_nPort = static_cast<unsigned>(nPreset);
    if (dlg.exec() != QDialog::Accepted)
      return std::nullopt;
    return static_cast<int>(dlg.m_nPort);
  };
  BuildForm();
  m_session.AddObserver(*this);
}

CMyVomoView::~CMyVomoView() {
  m_session.RemoveObserver(*this);
}

void CMyVomoView::BuildForm() {
  using namespace FormIds;
  const DlgTemplate &t = FormTemplate();
  CDialogBuilder b(t);
  b.Build(this);
  resize(b.DialogSize());

  m_pReadoutPanel = new CReadoutPanel(m_session.State(), this);
  m_pReadoutPanel->setObjectName(QStringLiteral("readout"));
  m_pReadoutPanel->setAccessibleName(QStringLiteral("Leitura do medidor"));
  m_pReadoutPanel->move(0, 0);
  m_pReadout = m_pReadoutPanel;
  connect(m_pReadoutPanel, &CReadoutPanel::meterKey, this, &CMyVomoView::OnMeterKey);

  const DlgControl *g = t.Find(kGraph);
  m_pGraph = new CGraphicsBtn(m_prompts, this);
  m_pGraph->setObjectName(CtlName(kGraph));
  m_pGraph->setAccessibleName(QString::fromStdString(g->strAccessibleName));
  m_pGraph->setGeometry(b.ToPixels(g->x, g->y, g->cx, g->cy));

  const DlgControl *l = t.Find(kTable);
  m_pModel = new CSampleTableModel(m_session.Stores().m_live, this);
  m_pList = MakeSampleTable(*m_pModel, this);
  // Scrolling lays out every row, so a hidden table is brought to its end when shown.
  connect(m_pModel, &CSampleTableModel::rowsAnnounced, this, [this](int nRows) {
    if (m_bShowTable && nRows > 0)
      m_pList->scrollTo(m_pModel->index(nRows - 1, 0));
  });
  m_pList->setObjectName(CtlName(kTable));
  m_pList->setAccessibleName(QString::fromStdString(l->strAccessibleName));
  m_pList->setGeometry(b.ToPixels(l->x, l->y, l->cx, l->cy));
  m_pList->hide();

  m_pRate = DlgItem<QComboBox>(this, StatIds::kRate);
  DlgItem<QGroupBox>(this, kGraphBox)->lower();
  m_pReadout->lower();
  connect(DlgItem<QPushButton>(this, kShowGraph), &QPushButton::clicked, this, &CMyVomoView::OnShowGraph);
  connect(DlgItem<QPushButton>(this, kShowTable), &QPushButton::clicked, this, &CMyVomoView::OnShowTable);
  // The host fills the read-outs, drives the scroll bars and wires "Anular Zoom".
  m_pGraphHost = new CGraphHost(this, *m_pGraph, CSampleArray(m_session.Stores().m_live));
  ApplyColours();
}

void CMyVomoView::SetReadout(QWidget *pReadout) {
  if (!pReadout || pReadout == m_pReadout)
    return;
  pReadout->setParent(this);
  pReadout->move(0, 0);
  pReadout->show();
  if (m_pReadout == m_pReadoutPanel)
    m_pReadoutPanel = nullptr;
  delete m_pReadout;
  m_pReadout = pReadout;
}

void CMyVomoView::RegisterCommands(CCommandRouter &commands) {
  using namespace cmd;
  m_pCommands = &commands;
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
                      [this, host] { PrintGraph(*m_pGraph, m_pGraph->Samples(), m_session.Stat(), host()); });
  commands.SetHandler(ID_PRINT_TABLE, [this, host] {
    PrintTable(CSampleArray(m_session.Stores().m_live), m_session.Stat(), host());
  });
  commands.SetHandler(ID_COLOR_SET, [this] { RunColorSettings(this, m_prompts, *m_pGraph); });
}

void CMyVomoView::OnInitialUpdate() {
  m_pRate->clear();
  for (const char *r : kSampleRateTexts)
    m_pRate->addItem(QString::fromLatin1(r));
  m_pRate->setCurrentIndex(kDefaultRateIndex);
  for (int i = 0; i < 4; ++i)
    m_pList->setColumnWidth(i, CSampleTableModel::kColumnWidths[i]);
  m_session.Begin();
  LayoutControls();
  m_pGraph->SetDefaultView();
  RedrawGraph();
  emit commandStateChanged();
}

void CMyVomoView::RefreshReadout() {
  if (m_pReadoutPanel)
    m_pReadoutPanel->Refresh();
  emit readoutRefresh();
}

void CMyVomoView::ShowStatistics() {
  ShowReadoutTexts(this, StatReadouts({m_session.Stat(), m_session.Stores().m_live.GetSize(),
                                       m_session.Noise(), m_session.NoiseLeqLabel()}));
}

void CMyVomoView::RedrawGraph() {
  m_pGraph->DrawGraph(CSampleArray(m_session.Stores().m_live));
}
