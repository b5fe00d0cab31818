#pragma once

#include "forms/ControlIds.h"
#include "graph/GraphMouse.h"
#include "records/SampleArray.h"

#include <QObject>

class CGraphicsBtn;
class QScrollBar;
class QWidget;

// The host side of the graph, shared by the monitoring view and the data
// logger window: it reacts to the graph's notifications and to the two
// scroll bars by filling the read-outs, which it finds in the host widget
// by control id (a missing control is skipped), and wires "Anular Zoom".
class CGraphHost : public QObject {
public:
  // `samples` is the host's array, the one the graph is given to draw.
  CGraphHost(QWidget *pHost, CGraphicsBtn &graph, const CSampleArray &samples = {});

  void SetSamples(const CSampleArray &samples) { m_samples = samples; }
  const CSampleArray &Samples() const { return m_samples; }
  // Cursor A's index as last reported by the graph; -1 before any.
  int CursorA() const { return m_nCursorA; }
  void SetCursorA(int n) { m_nCursorA = n; }

  // Scroll codes of the two bars (line-up is line-left).
  enum class ScrollCode { LineUp, LineDown, ThumbPosition, Other };

  void OnGraphScale(int nScale, int nOffset);
  void OnGraphCursor(ECursor which, int nIndex);
  void OnGraphHover(int nIndex);
  void OnVScroll(ScrollCode code, int nThumb);
  void OnHScroll(ScrollCode code, int nThumb);
  // Sets both scroll bars (and the level labels) from the graph's state.
  void UpdateFromGraph();

private:
  void SetText(int nId, const QString &text) const;
  void WireScrollBar(QScrollBar *bar, bool bVertical);

  QWidget *m_pHost;
  CGraphicsBtn &m_graph;
  CSampleArray m_samples;
  int m_nCursorA = -1;
};
