#include "monitor/MyVomoView.h"

#include "app/PortDlg.h"
#include "datalog/DataFileMenu.h"
#include "datalog/DataLogDlg.h"
#include "datalog/DataLogHolder.h"
#include "graph/GraphHost.h"
#include "graph/GraphicsBtn.h"
#include "monitor/RTSetup.h"
#include "monitor/ReadoutPanel.h"
#include "monitor/RegistoFlow.h"
#include "monitor/SampleTableModel.h"
#include "res/Templates.h"
#include "serial/KeyRepeaters.h"
#include "uikit/CommandIds.h"
#include "uikit/CommandRouter.h"
#include "uikit/DialogBuilder.h"
#include "uikit/ListStyle.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>

CMyVomoView::CMyVomoView(CDataStores &stores, CPrompts &prompts, std::unique_ptr<IMeterLink> link,
                         QWidget *parent)
    : QWidget(parent), m_stores(stores), m_prompts(prompts), m_pLink(std::move(link)),
      m_mailbox([this](const QByteArray &chunk) { OnChunk(chunk); }),
      m_receivePath(*this, [this] { return Now(); }), m_state(m_receivePath.State()),
      m_run(stores.m_live, m_state), m_timers([this](int nId) { OnTimer(nId); }),
      m_now([] { return std::time(nullptr); }) {
  setObjectName(QStringLiteral("myVomoView"));
  m_state.m_tLastRecv = Now();
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
  m_pFileMenu = std::make_unique<CDataFileMenu>(m_stores, m_prompts, this, [this] { return m_run.m_stat; });
  CRegistoFlow::Hooks hooks;
  hooks.write = [this](const std::uint8_t *p, std::size_t n) { return m_pLink->Write(p, n); };
  hooks.releaseLoggerSelection = [this] { DataLog().BeforeLogStoreChange(); };
  hooks.showDataLogger = [this] { DataLog().ShowAfresh(); };
  hooks.beginDownload = [this] {
    m_logDecode.m_nLogGroup = 0;
    m_receivePath.BeginDownload();
  };
  hooks.abandonDownload = [this] { EndDownloadKeepingWhatArrived(); };
  m_pRegisto = std::make_unique<CRegistoFlow>(m_state, m_stores.m_log, m_prompts, m_timers, TIMER_LOG_TIMEOUT,
                                              kLogTimeoutMs, std::move(hooks), this);
  connect(m_pRegisto.get(), &CRegistoFlow::finished, this, &CMyVomoView::commandStateChanged);
  CKeyRepeaters::CKeyLine keyLine;
  keyLine.isOpen = [this] { return m_pLink->IsOpen(); };
  keyLine.write = [this](std::uint8_t code) { m_pLink->Write(&code, 1); };
  m_pKeys = new CKeyRepeaters(m_state, std::move(keyLine), this);
  BuildForm();
}

CMyVomoView::~CMyVomoView() {
  // The reader thread must end before the state it feeds goes away.
  if (m_pKeys)
    m_pKeys->OnPortClosed();
  m_pLink->Close();
  m_pRegisto.reset();
  m_pFileMenu.reset(); // its window points into the stores
}

void CMyVomoView::BuildForm() {
  const DlgTemplate &t = FormTemplate();
  CDialogBuilder b(t);
  b.Build(this);
  resize(b.DialogSize());

  m_pReadoutPanel = new CReadoutPanel(m_state, this);
  m_pReadoutPanel->setObjectName(QStringLiteral("readout"));
  m_pReadoutPanel->setAccessibleName(QStringLiteral("Leitura do medidor"));
  m_pReadoutPanel->move(0, 0);
  m_pReadout = m_pReadoutPanel;
  connect(m_pReadoutPanel, &CReadoutPanel::meterKey, this, &CMyVomoView::OnMeterKey);

  const DlgControl *g = t.Find(1010);
  m_pGraph = new CGraphicsBtn(m_prompts, this);
  m_pGraph->setObjectName(CtlName(1010));
  m_pGraph->setAccessibleName(QString::fromStdString(g->strAccessibleName));
  m_pGraph->setGeometry(b.ToPixels(g->x, g->y, g->cx, g->cy));

  const DlgControl *l = t.Find(1037);
  m_pModel = new CSampleTableModel(m_stores.m_live, this);
  m_pList = new QTreeView(this);
  m_pList->setObjectName(CtlName(1037));
  m_pList->setAccessibleName(QString::fromStdString(l->strAccessibleName));
  m_pList->setRootIsDecorated(false);
  m_pList->setUniformRowHeights(true);
  m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_pList->setAlternatingRowColors(false);
  m_pList->setStyleSheet(ListStyleSheet());
  m_pList->setModel(m_pModel);
  // Scrolling lays out every row, so a hidden table is brought to its end when shown.
  connect(m_pModel, &CSampleTableModel::rowsAnnounced, this, [this](int nRows) {
    if (m_bShowTable && nRows > 0)
      m_pList->scrollTo(m_pModel->index(nRows - 1, 0));
  });
  m_pList->header()->setStretchLastSection(false);
  m_pList->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  m_pList->setGeometry(b.ToPixels(l->x, l->y, l->cx, l->cy));
  m_pList->hide();

  m_pVScroll = DlgItem<QScrollBar>(this, 1039);
  m_pHScroll = DlgItem<QScrollBar>(this, 1038);
  m_pRate = DlgItem<QComboBox>(this, 1007);
  m_pGraphBox = DlgItem<QGroupBox>(this, 1058);
  m_pCursorBox = DlgItem<QGroupBox>(this, 1061);
  m_pGraphBox->lower();
  m_pReadout->lower();

  connect(DlgItem<QPushButton>(this, 1059), &QPushButton::clicked, this, &CMyVomoView::OnShowGraph);
  connect(DlgItem<QPushButton>(this, 1060), &QPushButton::clicked, this, &CMyVomoView::OnShowTable);
  // The host fills the read-outs, drives the scroll bars and wires "Anular Zoom".
  m_pGraphHost = new CGraphHost(this, *m_pGraph, CSampleArray(m_stores.m_live));
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
  // A command that needs the meter cannot act while none is heard, and the
  // run greys what would disturb it.
  commands.SetHandler(
      ID_RUN, [this] { OnRun(); }, [this] { return m_run.MeterHeard() && !m_run.Running(); });
  commands.SetHandler(
      ID_STOP, [this] { OnStop(); }, [this] { return m_run.Running(); });
  commands.SetHandler(
      ID_CLEAR, [this] { OnClear(); }, [this] { return !m_run.Running(); });
  commands.SetHandler(
      ID_SETUP, [this] { OnSetup(); }, [this] { return m_run.MeterHeard() && !m_run.Running(); });
  commands.SetHandler(
      ID_DOWNLOAD, [this] { OnRegisto(); },
      // Not greyed by a run: the user is told to stop it first.
      [this] { return m_run.MeterHeard() && !m_state.m_bDownloading; });
  commands.SetHandler(
      ID_PORT_AUTO, [this] { OnPortAuto(); }, {}, [this] { return m_bAutoPort; });
  commands.SetHandler(
      ID_PORT_MANUAL, [this] { OnPortManual(); }, {}, [this] { return !m_bAutoPort; });
  RegisterFileCommands(commands);
}

void CMyVomoView::OnInitialUpdate() {
  m_state.m_strRecv.clear();
  m_state.m_dLevel = 50.0;
  m_state.m_bHold = m_state.m_bOver = m_state.m_bShowLatched = m_state.m_bLatch = false;
  m_state.m_bFast = m_state.m_bMax = m_state.m_bMin = m_state.m_bRec = m_state.m_bUnder = false;
  m_state.m_bRecvFlag = false;
  m_state.m_bDownloading = m_state.m_bLogHeader = m_state.m_bRunning = false;

  m_pRate->clear();
  for (const char *r : kViewRates)
    m_pRate->addItem(QString::fromLatin1(r));
  m_pRate->setCurrentIndex(kDefaultRateIndex);

  m_run.m_stat.Reset();
  m_run.m_nSampleLimit = kMaxSamples;
  m_state.m_bDataReceived = false;
  m_bDiscovering = m_bRediscover = false;

  for (int i = 0; i < 4; ++i)
    m_pList->setColumnWidth(i, CSampleTableModel::kColumnWidths[i]);

  m_timers.SetTimer(TIMER_DISCOVER, 100);
  LayoutControls();
  m_pGraph->SetDefaultView();
  RedrawGraph();
  emit commandStateChanged();
}

void CMyVomoView::OnTimer(int nId) {
  switch (nId) {
  case TIMER_SILENCE:
    SilenceCheck();
    break;
  case TIMER_SAMPLE: {
    CMonitorRun::Tick t = m_run.SampleTick(Now());
    if (t.kind == CMonitorRun::Tick::Kind::LimitReached) {
      SetRunControls(false);
      ShowNoise(); // the percentiles of the whole run
      m_timers.KillTimer(TIMER_SAMPLE);
      emit runEnded(RunEndReason::SampleLimit);
      emit runStopped();
      emit commandStateChanged();
    } else if (t.kind == CMonitorRun::Tick::Kind::Sampled) {
      ShowSample(t);
    }
    break;
  }
  case TIMER_LOG_TIMEOUT:
    if (m_run.LogTimeout())
      AbandonDownload(DownloadEndReason::Timeout);
    m_timers.KillTimer(TIMER_LOG_TIMEOUT);
    break;
  case TIMER_OPEN_PORT:
    m_timers.KillTimer(TIMER_OPEN_PORT);
    OpenPort(m_nOpenPort);
    break;
  case TIMER_DISCOVER:
    m_timers.KillTimer(TIMER_DISCOVER);
    DiscoverPort();
    break;
  default:
    break;
  }
}

CDataLogHolder &CMyVomoView::DataLog() {
  return m_pFileMenu->DataLog();
}

QLineEdit *CMyVomoView::Field(int nId) const {
  return DlgItem<QLineEdit>(this, nId);
}

void CMyVomoView::OnChunk(const QByteArray &chunk) {
  if (chunk.isEmpty())
    return;
  const bool bWasHeard = m_state.m_bDataReceived;
  m_receivePath.OnChunk(reinterpret_cast<const std::uint8_t *>(chunk.constData()),
                        static_cast<std::size_t>(chunk.size()));
  if (!bWasHeard && m_state.m_bDataReceived) {
    NoteConnection();
    if (m_pReadoutPanel)
      m_pReadoutPanel->Refresh();
    emit readoutRefresh();
    emit commandStateChanged();
  }
}
