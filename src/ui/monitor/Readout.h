#pragma once

#include "monitor/ReadoutLayout.h"

#include <QFont>
#include <QImage>

class CMeterArtwork;
class QPainter;

// The display font of a readout item. The meter's faces are not installed
// anywhere, so they fall back to a sans face of the requested cell height,
// average width and weight, as the Windows font mapper does.
QFont ReadoutQFont(const ReadoutFont &font);

// Paints the meter state onto a picture that holds the meter's display at
// its place; the display background must already be filled.
void DrawReadout(QPainter &painter, const CMeterReading &state, CReadoutLevels &levels,
                 const CMeterArtwork &art);

// The readout's off-screen picture. Render() is the only writer and runs on
// the UI thread after each decoded frame.
class CReadout {
public:
  explicit CReadout(const CMeterArtwork &art);

  void Render(const CMeterReading &state);
  const QImage &Image() const { return m_image; }
  bool IsRendered() const { return m_bRendered; }
  const CReadoutLevels &Levels() const { return m_levels; }

private:
  const CMeterArtwork &m_art;
  QImage m_image;
  CReadoutLevels m_levels;
  bool m_bRendered = false;
};

// Display background of the meter's window.
inline constexpr QRgb kReadoutBackground = 0xff808c80; // red 128, green 140, blue 128
