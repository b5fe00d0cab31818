#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <array>

// The meter's pictures, digit, point, bar-mark and key images, rendered once
// from the compiled-in SVG artwork at their exact pixel sizes. The two meter
// pictures carry the six key images at their drawn places, so the picture
// and a button lying over it always agree.
class CMeterArtwork {
public:
  CMeterArtwork();

  const QImage &Heard() const { return m_heard; }   // the readout is painted onto a copy
  const QImage &Silent() const { return m_silent; } // "No Connection" in the display
  const QImage &Digit(int nDigit) const { return m_digits.at(static_cast<std::size_t>(nDigit)); }
  const QImage &Point() const { return m_point; }
  const QImage &Mark() const { return m_mark; }
  const QImage &Key(int nKeyIndex) const { return m_keys.at(static_cast<std::size_t>(nKeyIndex)); }

  // Resources that failed to render; empty when all are there.
  const QStringList &Errors() const { return m_errors; }

private:
  QImage Render(const QString &name, int cx, int cy);

  QStringList m_errors;
  QImage m_heard, m_silent, m_point, m_mark;
  std::array<QImage, 10> m_digits;
  std::array<QImage, 6> m_keys;
};
