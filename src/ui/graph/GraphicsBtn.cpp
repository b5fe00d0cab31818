#include "graph/GraphicsBtn.h"

#include "graph/ColorSettings.h"
#include "graph/GraphMath.h"
#include "graph/GraphMouse.h"
#include "kit/DialogBuilder.h"
#include "kit/Prompts.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {
GraphPoint PointOf(const QMouseEvent *e) {
  const QPoint p = e->position().toPoint();
  return {p.x(), p.y()};
}
} // namespace

CGraphicsBtn::CGraphicsBtn(CPrompts &prompts, QWidget *parent) : QPushButton(parent), m_prompts(prompts) {
  setObjectName(CtlName(IDC_GRAPH));
  setAccessibleName(QCoreApplication::translate("Graph", "Gráfico"));
  setMouseTracking(true); // moves are reported without a button held
  SetColors(LoadGraphColors());
}

void CGraphicsBtn::SetColors(const GraphColors &c) {
  m_bkColor = c.bk;
  m_gridColor = c.grid;
  m_lineColor = c.line;
}

void CGraphicsBtn::SendScale() {
  const auto [nScale, nOffset] = ScaleParams(*this);
  emit graphScale(nScale, nOffset);
}

void CGraphicsBtn::DrawGraph(const CSampleArray &samples) {
  m_samples = samples;
  if (m_image.size() != size())
    m_image = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  TimeAxisLabels labels;
  if (HasPlot(*this)) {
    if (!m_scaleSent) {
      SendScale();
      m_scaleSent = true;
    }
    GrowXRange(*this, m_samples.GetSize(), [this] { SendScale(); });
    labels = ComputeTimeLabels(*this, m_samples);
  }
  // a sample of a run changes a column or two of the curve: only they are repainted
  const GraphRect r = m_painter.Paint(m_image, *this, m_samples, labels, m_marks);
  if (!r.Empty())
    update(QRect(r.x, r.y, r.width, r.height));
  if (labels.Failed())
    ReportTimeFormat(labels);
}

void CGraphicsBtn::ReportTimeFormat(const TimeAxisLabels &) {
  // Every redraw meets the same text again: tell the user once per array.
  const std::size_t n = m_samples.GetSize();
  const ArrayKey key{n, m_samples.Source(), n ? m_samples.Time(0) : std::string(),
                     n ? m_samples.Time(n - 1) : std::string()};
  if (m_bReported && key == m_reportedFor)
    return;
  m_bReported = true;
  m_reportedFor = key;
  m_prompts.MessageBox(this, QCoreApplication::translate("Graph", "Time Format is wrong!"),
                       QString::fromLatin1(kGraphCaption));
}

void CGraphicsBtn::ResetScale() {
  ::ResetScale(*this, width(), height());
  DrawGraph(m_samples);
  if (HasPlot(*this))
    SendScale();
}

void CGraphicsBtn::SetDefaultView() {
  ::SetDefaultView(*this, width(), height());
}

void CGraphicsBtn::Run(const std::vector<GraphEvent> &events) {
  for (const GraphEvent &ev : events) {
    switch (ev.kind) {
    case GraphEvent::Redraw:
      DrawGraph(m_samples);
      break;
    case GraphEvent::Scale:
      SendScale();
      break;
    case GraphEvent::Cursor:
      emit graphCursor(ev.cursor, ev.nIndex);
      break;
    case GraphEvent::Hover:
      emit graphHover(ev.nIndex);
      break;
    }
  }
}

void CGraphicsBtn::paintEvent(QPaintEvent *e) {
  if (m_image.isNull())
    return;
  QPainter p(this);
  p.drawImage(e->rect(), m_image, e->rect());
}

void CGraphicsBtn::resizeEvent(QResizeEvent *e) {
  QPushButton::resizeEvent(e);
  ResetScale();
}

void CGraphicsBtn::mousePressEvent(QMouseEvent *e) {
  if (e->button() == Qt::LeftButton)
    Run(OnLButtonDown(*this, PointOf(e), m_samples.GetSize()));
  QPushButton::mousePressEvent(e);
}

void CGraphicsBtn::mouseDoubleClickEvent(QMouseEvent *e) {
  if (e->button() == Qt::LeftButton)
    Run(OnLButtonDblClk(*this, PointOf(e)));
  // The button treats the second press as a press, but the cursor logic
  // must not see it as one.
  QPushButton::mousePressEvent(e);
}

void CGraphicsBtn::mouseMoveEvent(QMouseEvent *e) {
  Run(OnMouseMove(*this, PointOf(e), m_samples.GetSize()));
  QPushButton::mouseMoveEvent(e);
}

void CGraphicsBtn::mouseReleaseEvent(QMouseEvent *e) {
  if (e->button() == Qt::LeftButton)
    Run(OnLButtonUp(*this, PointOf(e)));
  else if (e->button() == Qt::RightButton && rect().contains(e->position().toPoint()))
    Run(OnRButtonUp(*this));
  QPushButton::mouseReleaseEvent(e);
}
