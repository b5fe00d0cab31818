#pragma once

#include "graph/ColorConfig.h"
#include "graph/GraphMarks.h"
#include "graph/GraphMouse.h"
#include "graph/GraphPainter.h"
#include "graph/GraphState.h"
#include "graph/TimeLabels.h"
#include "records/SampleArray.h"

#include <QImage>
#include <QPushButton>

#include <cstddef>
#include <string>

class CPrompts;
struct GraphEvent;

// Control id of the graph in both hosts.
constexpr int IDC_GRAPH = 1010;
// Caption of the graph's messages: the application's title.
inline constexpr const char *kGraphCaption = "Vomo";

// The level-against-time graph. It draws only when told to (DrawGraph, or
// its own mouse handlers) into an off-screen image that paintEvent copies;
// only the part of the image that changed is repainted.
// The scale state is public: both hosts and printing read and write it.
// Notifications reach the host synchronously: graphScale (level scale and
// offset x 10000), graphCursor (which cursor, sample index) and graphHover
// (sample index).
class CGraphicsBtn : public QPushButton, public CGraphState {
  Q_OBJECT
public:
  // Reads the colours from the settings file. The prompts show the
  // time-format message.
  explicit CGraphicsBtn(CPrompts &prompts, QWidget *parent = nullptr);

  // Makes `samples` the drawn array and repaints the whole control.
  void DrawGraph(const CSampleArray &samples);
  // Cancels the zoom: plot size from the control, ranges back (the sample
  // span kept), offsets 0; redraws and sends graphScale.
  void ResetScale();
  // Plot size from the control, span 20, ranges and offsets back; no redraw.
  void SetDefaultView();

  const CSampleArray &Samples() const { return m_samples; }
  // Threshold and events drawn over the curve from the next DrawGraph on.
  void SetMarks(GraphMarks marks) { m_marks = std::move(marks); }
  const GraphMarks &Marks() const { return m_marks; }
  GraphColors Colors() const { return {m_bkColor, m_gridColor, m_lineColor}; }
  void SetColors(const GraphColors &c);
  // The last drawn image, as the screen shows it.
  const QImage &Image() const { return m_image; }

signals:
  void graphScale(int nScale, int nOffset);
  void graphCursor(ECursor which, int nIndex);
  void graphHover(int nIndex);

protected:
  void paintEvent(QPaintEvent *) override;
  void resizeEvent(QResizeEvent *e) override;
  void mousePressEvent(QMouseEvent *e) override;
  void mouseDoubleClickEvent(QMouseEvent *e) override;
  void mouseMoveEvent(QMouseEvent *e) override;
  void mouseReleaseEvent(QMouseEvent *e) override;

private:
  void SendScale();
  void Run(const std::vector<GraphEvent> &events);
  void ReportTimeFormat(const TimeAxisLabels &labels);

  CPrompts &m_prompts;
  CSampleArray m_samples;
  CGraphPainter m_painter;
  GraphMarks m_marks;
  QImage m_image;
  // The drawn array the time-format message was last shown for: its size,
  // what it shows and its first and last times, which change whenever the
  // array does.
  struct ArrayKey {
    std::size_t nSize = 0;
    const void *pSource = nullptr;
    std::string strFirst;
    std::string strLast;
    friend bool operator==(const ArrayKey &, const ArrayKey &) = default;
  };
  ArrayKey m_reportedFor;
  bool m_bReported = false;
};
