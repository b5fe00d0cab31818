#include "graph/GraphHost.h"

#include "graph/CursorStats.h"
#include "graph/GraphMath.h"
#include "graph/GraphMouse.h"
#include "graph/GraphicsBtn.h"
#include "kit/DialogBuilder.h"
#include "kit/ReadoutTexts.h"
#include "records/AcousticStats.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

using namespace GraphIds;

namespace {
QString Level(double d) {
  return QString::asprintf("%.1f", d);
}
} // namespace

CGraphHost::CGraphHost(QWidget *pHost, CGraphicsBtn &graph, const CSampleArray &samples)
    : QObject(pHost), m_pHost(pHost), m_graph(graph), m_samples(samples) {
  connect(&graph, &CGraphicsBtn::graphScale, this, &CGraphHost::OnGraphScale, Qt::DirectConnection);
  connect(&graph, &CGraphicsBtn::graphCursor, this, &CGraphHost::OnGraphCursor, Qt::DirectConnection);
  connect(&graph, &CGraphicsBtn::graphHover, this, &CGraphHost::OnGraphHover, Qt::DirectConnection);
  if (auto *reset = DlgItem<QPushButton>(pHost, kResetZoom))
    connect(reset, &QPushButton::clicked, this, [this] { m_graph.ResetScale(); });
  WireScrollBar(DlgItem<QScrollBar>(pHost, kVScroll), true);
  WireScrollBar(DlgItem<QScrollBar>(pHost, kHScroll), false);
}

void CGraphHost::WireScrollBar(QScrollBar *bar, bool bVertical) {
  if (!bar)
    return;
  // The bar moves only where the reaction puts it, as the thumb is released.
  bar->setTracking(false);
  bar->setSingleStep(1);
  auto react = [this, bVertical](ScrollCode code, int nThumb) {
    bVertical ? OnVScroll(code, nThumb) : OnHScroll(code, nThumb);
  };
  connect(bar, &QAbstractSlider::actionTriggered, this, [bar, react](int action) {
    if (action == QAbstractSlider::SliderMove && bar->isSliderDown())
      return;                             // dragging the thumb: its release decides
    bar->setSliderPosition(bar->value()); // undo the bar's own step; the reaction moves it
    if (action == QAbstractSlider::SliderSingleStepSub)
      react(ScrollCode::LineUp, 0);
    else if (action == QAbstractSlider::SliderSingleStepAdd)
      react(ScrollCode::LineDown, 0);
  });
  connect(bar, &QAbstractSlider::sliderReleased, this,
          [bar, react] { react(ScrollCode::ThumbPosition, bar->sliderPosition()); });
}

void CGraphHost::SetText(int nId, const QString &text) const {
  SetControlText(m_pHost, nId, text);
}

void CGraphHost::OnGraphCursor(ECursor which, int nIndex) {
  if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_samples.GetSize())
    return;
  const CObjData &rec = m_samples[static_cast<std::size_t>(nIndex)];
  if (which == ECursor::A) {
    m_nCursorA = nIndex;
    SetText(kLevelA, Level(rec.m_dValue));
    SetText(kTimeA, QString::fromStdString(rec.m_strTime));
    for (int id : {kTimeB, kMax, kMaxTime, kMinTime, kMin, kAverage, kLevelB, kLeq})
      SetText(id, QString());
    SetText(kLeqLabel, QString::fromStdString(LeqLabel({})));
    return;
  }
  if (which != ECursor::B)
    return;
  SetText(kLevelB, Level(rec.m_dValue));
  SetText(kTimeB, QString::fromStdString(rec.m_strTime));
  if (m_nCursorA < 0 || m_nCursorA > nIndex)
    return;
  const CursorStats st =
      ComputeCursorStats(m_samples, static_cast<std::size_t>(m_nCursorA), static_cast<std::size_t>(nIndex));
  if (st.maxIndex) {
    SetText(kMax, Level(m_samples[*st.maxIndex].m_dValue));
    SetText(kMaxTime, QString::fromStdString(m_samples[*st.maxIndex].m_strTime));
  }
  if (st.minIndex) {
    SetText(kMin, Level(m_samples[*st.minIndex].m_dValue));
    SetText(kMinTime, QString::fromStdString(m_samples[*st.minIndex].m_strTime));
  }
  SetText(kAverage, Level(st.Average()));
  SetText(kLeqLabel, QString::fromStdString(LeqLabel(st.strCommonUnit)));
  SetText(kLeq, QString::fromStdString(FormatDecibels(st.dLeq)));
  SetText(kCount, QString::number(st.nCount));
}

void CGraphHost::OnGraphHover(int nIndex) {
  if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= m_samples.GetSize())
    return;
  const CObjData &rec = m_samples[static_cast<std::size_t>(nIndex)];
  SetText(kHoverLevel, Level(rec.m_dValue));
  SetText(kHoverTime, QString::fromStdString(rec.m_strTime));
}

void CGraphHost::OnGraphScale(int nScale, int nOffset) {
  const double s = static_cast<unsigned int>(nScale) / 10000.0;
  const double o = nOffset / 10000.0;
  if (o >= 0) {
    const int h = m_graph.height() - 15;
    for (int k = 0; k <= 10; ++k)
      SetText(kLevelLabel0 + k, QString::asprintf("%.2f", (h * k / 10.0) * s + o));
  }
  if (auto *v = DlgItem<QScrollBar>(m_pHost, kVScroll)) {
    const ScrollSetting ss = LevelScroll(m_graph);
    v->setRange(0, ss.nMax);
    v->setValue(ss.nPos);
  }
  if (auto *hbar = DlgItem<QScrollBar>(m_pHost, kHScroll)) {
    const ScrollSetting ss = SampleScroll(m_graph);
    hbar->setRange(0, ss.nMax);
    hbar->setValue(ss.nPos);
  }
}

void CGraphHost::UpdateFromGraph() {
  const auto [nScale, nOffset] = ScaleParams(m_graph);
  OnGraphScale(nScale, nOffset);
}

void CGraphHost::OnVScroll(ScrollCode code, int nThumb) {
  auto *bar = DlgItem<QScrollBar>(m_pHost, kVScroll);
  if (!bar || code == ScrollCode::Other)
    return;
  int p = bar->value();
  const int v = VisibleLevels(m_graph);
  if (code == ScrollCode::LineUp && p > 0)
    --p;
  else if (code == ScrollCode::LineDown && m_graph.m_yTop - v > p)
    ++p;
  else if (code == ScrollCode::ThumbPosition)
    p = nThumb;
  bar->setValue(p);
  m_graph.m_yOffset = (m_graph.m_yTop - v) - p;
  m_graph.DrawGraph(m_samples);
  UpdateFromGraph();
}

void CGraphHost::OnHScroll(ScrollCode code, int nThumb) {
  auto *bar = DlgItem<QScrollBar>(m_pHost, kHScroll);
  if (!bar || code == ScrollCode::Other)
    return;
  int p = bar->value();
  if (code == ScrollCode::LineUp && p > 0)
    --p;
  else if (code == ScrollCode::LineDown && m_graph.m_xSpan - VisibleSamples(m_graph) > p)
    ++p;
  else if (code == ScrollCode::ThumbPosition)
    p = nThumb;
  bar->setValue(p);
  m_graph.m_xOffset = p;
  m_graph.DrawGraph(m_samples);
}
