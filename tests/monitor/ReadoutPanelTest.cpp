#include "monitor/ReadoutPanel.h"
#include "monitor/MeterButton.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// True when `part` of `small` equals `big` at (x, y) + part.topLeft().
bool RegionEquals(const QImage &big, int x, int y, const QImage &small, QRect part = {}) {
  if (part.isNull())
    part = small.rect();
  for (int r = part.top(); r <= part.bottom(); ++r)
    for (int c = part.left(); c <= part.right(); ++c)
      if (big.pixel(x + c, y + r) != small.pixel(c, r))
        return false;
  return true;
}
// Digits: rows 0..51 (the status words of row 233 may touch the last row).
const QRect kDigitRows(0, 0, kDigitW, kDigitH - 1);
// The tenths digit's first two columns lie under the point.
const QRect kTenthsPart(2, 0, kDigitW - 2, kDigitH - 1);

int DarkPixels(const QImage &img, QRect r) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (qGray(img.pixel(x, y)) < 90)
        ++n;
  return n;
}
bool IsMark(const QImage &img, int x, int y) {
  return qGray(img.pixel(x, y)) < 50 && qGray(img.pixel(x, y + 6)) < 50;
}

struct ReadoutFixture : ::testing::Test {
  CMeterReading s;
  ReadoutFixture() {
    s.m_bDataReceived = true;
    s.m_strCurTime = "07-12-2026,14:05:09";
  }
};
} // namespace

TEST(MeterArtwork, EveryImageRendersAtItsSize) {
  CMeterArtwork art;
  EXPECT_TRUE(art.Errors().isEmpty()) << art.Errors().join(",").toStdString();
  EXPECT_EQ(art.Heard().size(), QSize(220, 665));
  EXPECT_EQ(art.Silent().size(), QSize(220, 665));
  for (int d = 0; d < 10; ++d)
    EXPECT_EQ(art.Digit(d).size(), QSize(25, 53));
  EXPECT_EQ(art.Point().size(), QSize(7, 8));
  EXPECT_EQ(art.Mark().size(), QSize(1, 7));
  for (const auto &k : kMeterKeys) {
    EXPECT_EQ(art.Key(k.nKeyIndex).size(), QSize(k.cx, k.cy));
    EXPECT_TRUE(RegionEquals(art.Heard(), k.xDrawn, k.yDrawn, art.Key(k.nKeyIndex))) << k.pszText;
  }
  // Digits differ from each other, and the point and the tenths digit's
  // margin agree, so the point never cuts into a segment.
  for (int d = 1; d < 10; ++d)
    EXPECT_NE(art.Digit(d), art.Digit(d - 1));
  for (int d = 0; d < 10; ++d)
    for (int y = 0; y < kDigitH; ++y)
      for (int x = 0; x < 2; ++x)
        EXPECT_EQ(art.Digit(d).pixel(x, y), kReadoutBackground) << d;
  // The silent picture differs only inside the display window.
  EXPECT_NE(art.Heard().copy(kReadoutX, kReadoutY, kReadoutW, kReadoutH),
            art.Silent().copy(kReadoutX, kReadoutY, kReadoutW, kReadoutH));
  EXPECT_EQ(art.Heard().copy(0, 300, 220, 365), art.Silent().copy(0, 300, 220, 365));
}

TEST_F(ReadoutFixture, TwoDigitLevelLandsAtItsPlaces) {
  s.m_dLevel = 65.2;
  CReadoutPanel panel(s);
  panel.Refresh();
  const QImage &img = panel.ReadoutImage();
  const auto &art = panel.Artwork();
  EXPECT_TRUE(RegionEquals(img, 78, 181, art.Digit(6), kDigitRows));
  EXPECT_TRUE(RegionEquals(img, 103, 181, art.Digit(5), kDigitRows));
  EXPECT_TRUE(RegionEquals(img, 130, 224, art.Point()));
  EXPECT_TRUE(RegionEquals(img, 135, 181, art.Digit(2), kTenthsPart));
  // Nothing where the hundreds digit goes.
  EXPECT_EQ(DarkPixels(img, QRect(53, 181, 25, 52)), 0);
}

TEST_F(ReadoutFixture, ThreeDigitAndSingleDigitLevels) {
  s.m_dLevel = 105.3;
  CReadoutPanel panel(s);
  panel.Refresh();
  const auto &art = panel.Artwork();
  EXPECT_TRUE(RegionEquals(panel.ReadoutImage(), 53, 181, art.Digit(1), kDigitRows));
  EXPECT_TRUE(RegionEquals(panel.ReadoutImage(), 78, 181, art.Digit(0), kDigitRows));
  EXPECT_TRUE(RegionEquals(panel.ReadoutImage(), 103, 181, art.Digit(5), kDigitRows));
  EXPECT_TRUE(RegionEquals(panel.ReadoutImage(), 135, 181, art.Digit(3), kTenthsPart));
  // A fresh background each frame: the old hundreds and tens digits vanish.
  s.m_dLevel = 5.2;
  panel.Refresh();
  EXPECT_TRUE(RegionEquals(panel.ReadoutImage(), 103, 181, art.Digit(5), kDigitRows));
  EXPECT_EQ(DarkPixels(panel.ReadoutImage(), QRect(53, 181, 50, 52)), 0);
}

TEST_F(ReadoutFixture, BarMarksByRange) {
  s.m_nRange = 1;
  s.m_dLevel = 95;
  CReadoutPanel panel(s);
  panel.Refresh();
  const QImage *img = &panel.ReadoutImage();
  EXPECT_TRUE(IsMark(*img, 60, 137) && IsMark(*img, 60, 146));
  for (int i = 1; i <= 50; ++i)
    EXPECT_TRUE(IsMark(*img, 60 + 2 * i, 146)) << i;
  EXPECT_FALSE(IsMark(*img, 162, 146));
  EXPECT_TRUE(IsMark(*img, 160, 137)); // the 50th is tall
  EXPECT_FALSE(IsMark(*img, 158, 137));

  s.m_dLevel = 25;
  panel.Refresh();
  EXPECT_TRUE(IsMark(*img, 60, 146) && IsMark(*img, 60, 137));
  EXPECT_FALSE(IsMark(*img, 62, 146));

  s.m_nRange = 4;
  s.m_dLevel = 61;
  panel.Refresh();
  EXPECT_TRUE(IsMark(*img, 90, 146));
  EXPECT_FALSE(IsMark(*img, 92, 146));
  for (int i : {5, 10, 15})
    EXPECT_TRUE(IsMark(*img, 60 + 2 * i, 137)) << i;
  for (int i : {4, 6, 14})
    EXPECT_FALSE(IsMark(*img, 60 + 2 * i, 137)) << i;
}

TEST_F(ReadoutFixture, LatchKeepsTheRightLevelOnDigitsAndBar) {
  s.m_nRange = 1;
  s.m_dLevel = 70.1;
  CReadoutPanel panel(s);
  panel.Refresh();
  const auto &art = panel.Artwork();
  const QImage *img = &panel.ReadoutImage();
  // Showing the latched level: the digits keep 70.1, the bar follows 40.
  s.m_bShowLatched = true;
  s.m_dLevel = 40.2;
  panel.Refresh();
  EXPECT_TRUE(RegionEquals(*img, 78, 181, art.Digit(7), kDigitRows));
  EXPECT_TRUE(RegionEquals(*img, 103, 181, art.Digit(0), kDigitRows));
  EXPECT_TRUE(IsMark(*img, 80, 146));
  EXPECT_FALSE(IsMark(*img, 82, 146));
  // Latching: the digits follow 55, the bar keeps 40.
  s.m_bShowLatched = false;
  s.m_bLatch = true;
  s.m_dLevel = 55.0;
  panel.Refresh();
  EXPECT_TRUE(RegionEquals(*img, 78, 181, art.Digit(5), kDigitRows));
  EXPECT_TRUE(RegionEquals(*img, 103, 181, art.Digit(5), kDigitRows));
  EXPECT_TRUE(IsMark(*img, 80, 146));
  EXPECT_FALSE(IsMark(*img, 82, 146));
}

TEST_F(ReadoutFixture, SlowStandsRightOfTheFastPlace) {
  s.m_bFast = false;
  CReadoutPanel panel(s);
  panel.Refresh();
  EXPECT_GT(DarkPixels(panel.ReadoutImage(), QRect(124, 115, 26, 10)), 10);
  EXPECT_EQ(DarkPixels(panel.ReadoutImage(), QRect(105, 115, 18, 10)), 0);
  s.m_bFast = true;
  panel.Refresh();
  EXPECT_GT(DarkPixels(panel.ReadoutImage(), QRect(105, 115, 18, 10)), 10);
  // The time of day and its label are drawn.
  EXPECT_GT(DarkPixels(panel.ReadoutImage(), QRect(76, 155, 50, 24)), 30);
  EXPECT_GT(DarkPixels(panel.ReadoutImage(), QRect(132, 164, 30, 14)), 10);
}

TEST_F(ReadoutFixture, SilentMeterShowsTheSilentPictureAndNoDigits) {
  s.m_dLevel = 88.8;
  CReadoutPanel panel(s);
  panel.Refresh();
  EXPECT_EQ(panel.grab().toImage().convertToFormat(QImage::Format_RGB32), panel.ReadoutImage());
  s.m_bDataReceived = false;
  panel.Refresh();
  const QImage shot = panel.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shot, panel.Artwork().Silent());
  EXPECT_FALSE(RegionEquals(shot, 103, 181, panel.Artwork().Digit(8), kDigitRows));
  shot.save(QDir::temp().filePath("tarvik-readout-silent.png"));
}

TEST_F(ReadoutFixture, ScreenshotOfAHeardMeter) {
  s.m_dLevel = 65.2;
  s.m_bFast = true;
  s.m_bMax = true;
  s.m_nRange = 4;
  s.m_bRec = true;
  CReadoutPanel panel(s);
  panel.Refresh();
  const QImage shot = panel.grab().toImage();
  EXPECT_TRUE(shot.save(QDir::temp().filePath("tarvik-readout-panel.png")));
}

// ---- the key buttons ----

namespace {
void SendMouse(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), Qt::LeftButton, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}
} // namespace

TEST(MeterButtons, SitOverTheirKeysWithIdsAndNames) {
  CMeterReading s;
  CReadoutPanel panel(s);
  for (const auto &k : kMeterKeys) {
    CMeterButton *b = panel.Button(k.nKeyIndex);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->geometry(), QRect(k.xDrawn, k.yDrawn, k.cx, k.cy)) << k.pszText;
    EXPECT_EQ(b->objectName(), QStringLiteral("ctl%1").arg(k.nId));
    EXPECT_EQ(b->accessibleName(), QString::fromLatin1(k.pszText));
  }
}

TEST(MeterButtons, OnePressSendsOneKeyAndSinksOnePixel) {
  CMeterReading s;
  CReadoutPanel panel(s);
  QSignalSpy spy(&panel, &CReadoutPanel::meterKey);
  CMeterButton *rec = panel.Button(1);
  const QPoint mid(10, 10);
  SendMouse(rec, QEvent::MouseButtonPress, mid, Qt::LeftButton);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toInt(), 1);
  EXPECT_EQ(rec->pos(), QPoint(82, 334));
  rec->repaint(); // a repaint while down sends nothing more
  EXPECT_EQ(spy.count(), 1);
  SendMouse(rec, QEvent::MouseButtonRelease, mid, Qt::NoButton);
  EXPECT_EQ(rec->pos(), QPoint(82, 335));
  EXPECT_EQ(spy.count(), 1);
}

TEST(MeterButtons, DragOffAndBackIsStillOnePress) {
  CMeterReading s;
  CReadoutPanel panel(s);
  QSignalSpy spy(&panel, &CReadoutPanel::meterKey);
  CMeterButton *level = panel.Button(4);
  SendMouse(level, QEvent::MouseButtonPress, QPoint(12, 20), Qt::LeftButton);
  EXPECT_EQ(level->pos(), QPoint(117, 375));
  SendMouse(level, QEvent::MouseMove, QPoint(100, 100), Qt::LeftButton);
  EXPECT_FALSE(level->isDown());
  EXPECT_EQ(level->pos(), QPoint(117, 374));
  SendMouse(level, QEvent::MouseMove, QPoint(12, 20), Qt::LeftButton);
  EXPECT_TRUE(level->isDown());
  EXPECT_EQ(level->pos(), QPoint(117, 375));
  SendMouse(level, QEvent::MouseButtonRelease, QPoint(12, 20), Qt::NoButton);
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toInt(), 4);
}

TEST(MeterButtons, SpaceBarPressesOnceAndRightButtonNever) {
  CMeterReading s;
  CReadoutPanel panel(s);
  QSignalSpy spy(&panel, &CReadoutPanel::meterKey);
  CMeterButton *ac = panel.Button(5);
  QTest::keyPress(ac, Qt::Key_Space);
  QKeyEvent again(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QString(" "), true);
  QApplication::sendEvent(ac, &again);
  QTest::keyRelease(ac, Qt::Key_Space);
  EXPECT_EQ(spy.count(), 1);
  QMouseEvent right(QEvent::MouseButtonPress, QPointF(5, 5), ac->mapToGlobal(QPointF(5, 5)), Qt::RightButton,
                    Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(ac, &right);
  EXPECT_EQ(spy.count(), 1);
}
