#include "monitor/ReadoutPanel.h"

#include "forms/MeterKeys.h"
#include "monitor/MeterButton.h"

#include <QCoreApplication>
#include <QPainter>

CReadoutPanel::CReadoutPanel(const CMeterReading &state, QWidget *parent)
    : QWidget(parent), m_state(state), m_readout(m_art) {
  setFixedSize(kMeterPictureW, kMeterPictureH);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleName(QCoreApplication::translate("MainWindow", "Meter"));
  for (const auto &k : kMeterKeys) {
    auto *b = new CMeterButton(k, m_art.Key(k.nKeyIndex), this);
    connect(b, &CMeterButton::meterKey, this, &CReadoutPanel::meterKey);
    m_buttons[static_cast<std::size_t>(k.nKeyIndex)] = b;
  }
}

CMeterButton *CReadoutPanel::Button(int nKeyIndex) const {
  return nKeyIndex >= 0 && nKeyIndex < 6 ? m_buttons[static_cast<std::size_t>(nKeyIndex)] : nullptr;
}

void CReadoutPanel::Refresh() {
  if (m_state.m_bDataReceived)
    m_readout.Render(m_state);
  update();
}

void CReadoutPanel::paintEvent(QPaintEvent *) {
  // Painting only copies: the readout image is written by Refresh() alone,
  // except for the very first frame after the meter is heard.
  if (m_state.m_bDataReceived && !m_readout.IsRendered())
    m_readout.Render(m_state);
  QPainter p(this);
  p.drawImage(0, 0, m_state.m_bDataReceived ? m_readout.Image() : m_art.Silent());
}
