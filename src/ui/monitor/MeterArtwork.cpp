#include "monitor/MeterArtwork.h"

#include "forms/MeterKeys.h"
#include "monitor/ReadoutLayout.h"

#include <QPainter>
#include <QSvgRenderer>

// The artwork lives in a static library, whose resource initialiser the
// linker would drop: register it explicitly.
static void InitMeterResources() {
  Q_INIT_RESOURCE(meter);
}

namespace {
const char *const kKeyFiles[6] = {"key_stop.svg",     "key_rec.svg",   "key_maxmin.svg",
                                  "key_fastslow.svg", "key_level.svg", "key_ac.svg"};
}

CMeterArtwork::CMeterArtwork() {
  InitMeterResources();
  for (int d = 0; d < 10; ++d)
    m_digits[static_cast<std::size_t>(d)] = Render(QStringLiteral("digit%1.svg").arg(d), kDigitW, kDigitH);
  m_point = Render(QStringLiteral("point.svg"), kPointW, kPointH);
  m_mark = Render(QStringLiteral("mark.svg"), kMarkW, kMarkH);
  for (const auto &k : kMeterKeys)
    m_keys[static_cast<std::size_t>(k.nKeyIndex)] =
        Render(QString::fromLatin1(kKeyFiles[k.nKeyIndex]), k.cx, k.cy);

  m_heard = Render(QStringLiteral("meter.svg"), kMeterPictureW, kMeterPictureH);
  {
    QPainter p(&m_heard);
    for (const auto &k : kMeterKeys)
      p.drawImage(k.xDrawn, k.yDrawn, Key(k.nKeyIndex));
  }
  m_silent = m_heard;
  const QImage noConnection = Render(QStringLiteral("noconnection.svg"), kReadoutW, kReadoutH);
  QPainter p(&m_silent);
  p.drawImage(kReadoutX, kReadoutY, noConnection);
}

QImage CMeterArtwork::Render(const QString &name, int cx, int cy) {
  QImage img(cx, cy, QImage::Format_RGB32);
  img.fill(Qt::black);
  QSvgRenderer svg(QStringLiteral(":/meter/") + name);
  if (!svg.isValid()) {
    m_errors << name;
    return img;
  }
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  svg.render(&p, QRectF(0, 0, cx, cy));
  return img;
}
