#pragma once

#include "monitor/MeterArtwork.h"
#include "monitor/Readout.h"

#include <QWidget>

#include <array>

class CMeterButton;

// The meter at the left of the monitoring view: its picture with the live
// display painted on while the meter is heard, the silent picture while it
// is not, and the six remote keys over the picture.
class CReadoutPanel : public QWidget {
  Q_OBJECT
public:
  explicit CReadoutPanel(const CMeterReading &state, QWidget *parent = nullptr);

  // Redraws the display from the meter state; call after each decoded frame
  // and whenever the meter is heard again or falls silent.
  void Refresh();

  const QImage &ReadoutImage() const { return m_readout.Image(); }
  const CMeterArtwork &Artwork() const { return m_art; }
  CMeterButton *Button(int nKeyIndex) const;

signals:
  void meterKey(int nKeyIndex);

protected:
  void paintEvent(QPaintEvent *) override;

private:
  const CMeterReading &m_state;
  CMeterArtwork m_art;
  CReadout m_readout;
  std::array<CMeterButton *, 6> m_buttons{};
};
