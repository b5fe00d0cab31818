#include "forms/ControlIds.h"
#include "monitor/ViewFixture.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>

namespace {

QRect Geo(CMyVomoView *v, int nId) {
  return v->findChild<QWidget *>(CtlName(nId))->geometry();
}

TEST_F(ViewFixture, NarrowWindowIsLaidOutAsIf800Wide) {
  m_pView->show(); // resize events reach shown widgets only
  const QRect g = Geo(m_pView, FormIds::kCursorBox);
  // The "Ruído" box, which does not fit at its place in 800 pixels, takes its
  // width and a gap off the graph's right.
  QRect noise;
  for (QGroupBox *box : m_pView->findChildren<QGroupBox *>())
    if (box->title() == QString::fromUtf8("Ruído"))
      noise = box->geometry();
  for (QSize sz : {QSize(640, 400), QSize(800, 550)}) {
    m_pView->resize(sz);
    const int nBottom = g.bottom() + 1;
    const int w = 800 - noise.width() - 12;
    EXPECT_EQ(Geo(m_pView, FormIds::kGraph),
              QRect(g.left(), nBottom + 5, w - g.left() - 42, 550 - nBottom - 60));
    EXPECT_EQ(Geo(m_pView, FormIds::kTable), Geo(m_pView, FormIds::kGraph));
    EXPECT_EQ(Geo(m_pView, GraphIds::kVScroll), QRect(w - 42, nBottom + 5, 15, 550 - nBottom - 60));
    EXPECT_EQ(Geo(m_pView, GraphIds::kHScroll), QRect(g.left(), 550 - 35, w - g.left() - 42, 15));
    EXPECT_EQ(Geo(m_pView, FormIds::kGraphBox), QRect(g.left() - 10, 10, 800 - g.left(), 550 - 20));
  }
  m_pView->resize(1300, 900); // room for the "Ruído" box at its place
  EXPECT_EQ(Geo(m_pView, FormIds::kGraph).width(), 1300 - g.left() - 42);
  EXPECT_EQ(Geo(m_pView, GraphIds::kHScroll).y(), 900 - 35);
  EXPECT_EQ(Geo(m_pView, FormIds::kCursorBox), g); // the anchor itself never moves
}

// On a 1024x768 screen the main window, bars and menus included, fits and
// shows every control of its form (the Ruído box among them) whole.
TEST_F(ViewFixture, TheMainWindowFitsA1024x768Screen) {
  CMainFrame &frame = m_pApp->Frame();
  auto *view = new CMyVomoView(Session(), m_prompts);
  frame.setCentralWidget(view);
  frame.resize(1024, 768);
  frame.show();
  QCoreApplication::processEvents();
  EXPECT_LE(frame.minimumSizeHint().width(), 1024);
  EXPECT_LE(frame.minimumSizeHint().height(), 768);
  EXPECT_EQ(frame.size(), QSize(1024, 768));
  int nShown = 0;
  for (QWidget *w : view->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
    if (!w->isVisibleTo(view))
      continue;
    EXPECT_TRUE(view->rect().contains(w->geometry()))
        << w->accessibleName().toStdString() << " " << w->geometry().right() << "," << w->geometry().bottom()
        << " in " << view->width() << "x" << view->height();
    ++nShown;
  }
  EXPECT_GT(nShown, 40);
  // ... and no two of them (frames aside) on top of each other.
  const QList<QWidget *> all = view->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
  for (qsizetype i = 0; i < all.size(); ++i)
    for (qsizetype j = i + 1; j < all.size(); ++j) {
      QWidget *a = all[i], *b = all[j];
      if (!a->isVisibleTo(view) || !b->isVisibleTo(view) || qobject_cast<QGroupBox *>(a) ||
          qobject_cast<QGroupBox *>(b))
        continue;
      EXPECT_FALSE(a->geometry().intersects(b->geometry()))
          << a->accessibleName().toStdString() << " / " << b->accessibleName().toStdString();
    }
}

TEST_F(ViewFixture, CursorLabelsCarryTheCursorColours) {
  auto *a = DlgItem<QLabel>(m_pView, FormIds::kCursorALabel);
  auto *b = DlgItem<QLabel>(m_pView, FormIds::kCursorBLabel);
  EXPECT_EQ(a->palette().color(QPalette::WindowText), QColor(110, 30, 200));
  EXPECT_EQ(b->palette().color(QPalette::WindowText), QColor(0, 255, 0));
  EXPECT_EQ(m_pView->palette().color(QPalette::Window), QColor(170, 175, 195));
  EXPECT_EQ(Rate()->palette().color(QPalette::Button), QColor(100, 100, 100));
  EXPECT_TRUE(DlgItem<QLabel>(m_pView, GraphIds::kLevelLabel0)->isHidden());
  EXPECT_TRUE(DlgItem<QLabel>(m_pView, GraphIds::kLevelLabel0 + 10)->isHidden());
}

TEST_F(ViewFixture, EveryControlHasAnAccessibleName) {
  const std::pair<int, const char *> names[] = {
      {StatIds::kCount, "Num. Amostras"},
      {StatIds::kStartTime, "Hora de início"},
      {StatIds::kRate, "Taxa de amostragem"},
      {StatIds::kMax, "MAX"},
      {StatIds::kMaxTime, "MAX @"},
      {StatIds::kMin, "MIN"},
      {StatIds::kMinTime, "MIN @"},
      {StatIds::kAverage, "Média"},
      {GraphIds::kResetZoom, "Anular Zoom"},
      {FormIds::kShowGraph, "Gráfico"},
      {FormIds::kShowTable, "Tabela"},
      {FormIds::kGraph, "Gráfico em tempo real"},
      {FormIds::kTable, "Tabela"},
      {FormIds::kCursorBox, "Cursor"},
      {GraphIds::kLevelA, "Cursor A"},
      {GraphIds::kTimeB, "Cursor B @"},
      {GraphIds::kAverage, "Média entre A e B"},
      {GraphIds::kCount, "Quantidade entre A e B"},
  };
  for (auto [nId, name] : names) {
    QWidget *w = m_pView->findChild<QWidget *>(CtlName(nId));
    ASSERT_NE(w, nullptr) << nId;
    EXPECT_EQ(w->accessibleName(), QString::fromUtf8(name)) << nId;
  }
  // Every visible input of the form can be found by a screen reader.
  for (QWidget *w : m_pView->findChildren<QWidget *>()) {
    if (w->objectName().startsWith("ctl") && !w->isHidden() && !qobject_cast<QLabel *>(w)) {
      EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
  }
}

} // namespace
