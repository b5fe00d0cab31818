#pragma once

#include "graph/GraphHost.h"
#include "graph/GraphicsBtn.h"
#include "kit/DialogBuilder.h"
#include "records/SampleStore.h"
#include "support/ScriptedPrompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

// Points the user's configuration folder at a fresh temporary folder, so a
// test sees no colour file unless it writes one.
class CTempConfigHome {
public:
  CTempConfigHome() : m_old(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", m_dir.path().toLocal8Bit());
  }
  ~CTempConfigHome() { qputenv("XDG_CONFIG_HOME", m_old); }
  QString Path() const { return m_dir.path(); }

private:
  QTemporaryDir m_dir;
  QByteArray m_old;
};

// A small window hosting a graph with every read-out and both scroll bars,
// as the monitoring view and the data logger window do.
inline const DlgTemplate &GraphTestTemplate() {
  static const DlgTemplate t = [] {
    DlgTemplate d;
    d.id = 9001;
    d.caption = "Graph";
    d.cx = 400;
    d.cy = 300;
    d.controls.push_back({GraphIds::kResetZoom, CtlKind::Button, "Anular Zoom", 300, 5, 50, 14});
    int y = 20;
    for (int id :
         {GraphIds::kLevelA, GraphIds::kTimeA, GraphIds::kLevelB, GraphIds::kTimeB, GraphIds::kMax,
          GraphIds::kMaxTime, GraphIds::kMin, GraphIds::kMinTime, GraphIds::kAverage, GraphIds::kCount}) {
      d.controls.push_back({id, CtlKind::EditReadOnly, "", 300, y, 90, 12});
      y += 14;
    }
    d.controls.push_back({GraphIds::kHoverLevel, CtlKind::Static, "", 300, y, 40, 10});
    d.controls.push_back({GraphIds::kHoverTime, CtlKind::Static, "", 340, y, 60, 10});
    for (int k = 0; k <= 10; ++k)
      d.controls.push_back({GraphIds::kLevelLabel0 + k, CtlKind::Static, "", 0, 10 * k, 10, 8, true});
    d.controls.push_back({GraphIds::kVScroll, CtlKind::ScrollBarV, "", 220, 5, 10, 160});
    d.controls.push_back({GraphIds::kHScroll, CtlKind::ScrollBarH, "", 5, 170, 210, 10});
    return d;
  }();
  return t;
}

struct CGraphTestWindow {
  // The graph is 290 x 230 pixels: a 200 x 200 plot, 10 pixels per sample.
  explicit CGraphTestWindow(CPrompts &prompts, int nGraphWidth = 290, int nGraphHeight = 230) {
    CDialogBuilder b(GraphTestTemplate());
    b.Build(&m_window);
    m_window.resize(800, 400);
    m_pGraph = new CGraphicsBtn(prompts, &m_window);
    m_pGraph->setGeometry(5, 5, nGraphWidth, nGraphHeight);
    m_pHost = new CGraphHost(&m_window, *m_pGraph, m_store);
    m_window.show();
  }
  CGraphicsBtn &Graph() { return *m_pGraph; }
  CGraphHost &Host() { return *m_pHost; }
  QString Text(int nId) const {
    if (auto *e = DlgItem<QLineEdit>(&m_window, nId))
      return e->text();
    if (auto *l = DlgItem<QLabel>(&m_window, nId))
      return l->text();
    return QStringLiteral("<missing>");
  }

  CSampleStore m_store; // declared first: outlives the window's graph
  QWidget m_window;
  CGraphicsBtn *m_pGraph = nullptr;
  CGraphHost *m_pHost = nullptr;
};
