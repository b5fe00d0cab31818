#include "monitor/ViewFixture.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>

namespace {

QRect Geo(CMyVomoView *v, int nId) {
  return v->findChild<QWidget *>(CtlName(nId))->geometry();
}

TEST_F(ViewFixture, NarrowWindowIsLaidOutAsIf800Wide) {
  m_pView->show(); // resize events reach shown widgets only
  const QRect g = Geo(m_pView, 1061);
  for (QSize sz : {QSize(640, 400), QSize(800, 550)}) {
    m_pView->resize(sz);
    const int nBottom = g.bottom() + 1;
    EXPECT_EQ(Geo(m_pView, 1010), QRect(g.left(), nBottom + 5, 800 - g.left() - 42, 550 - nBottom - 60));
    EXPECT_EQ(Geo(m_pView, 1037), Geo(m_pView, 1010));
    EXPECT_EQ(Geo(m_pView, 1039), QRect(800 - 42, nBottom + 5, 15, 550 - nBottom - 60));
    EXPECT_EQ(Geo(m_pView, 1038), QRect(g.left(), 550 - 35, 800 - g.left() - 42, 15));
    EXPECT_EQ(Geo(m_pView, 1058), QRect(g.left() - 10, 10, 800 - g.left(), 550 - 20));
  }
  m_pView->resize(1200, 900);
  EXPECT_EQ(Geo(m_pView, 1010).width(), 1200 - g.left() - 42);
  EXPECT_EQ(Geo(m_pView, 1038).y(), 900 - 35);
  EXPECT_EQ(Geo(m_pView, 1061), g); // the anchor itself never moves
}

TEST_F(ViewFixture, CursorLabelsCarryTheCursorColours) {
  auto *a = DlgItem<QLabel>(m_pView, 1030);
  auto *b = DlgItem<QLabel>(m_pView, 1031);
  EXPECT_EQ(a->palette().color(QPalette::WindowText), QColor(110, 30, 200));
  EXPECT_EQ(b->palette().color(QPalette::WindowText), QColor(0, 255, 0));
  EXPECT_EQ(m_pView->palette().color(QPalette::Window), QColor(170, 175, 195));
  EXPECT_EQ(Rate()->palette().color(QPalette::Button), QColor(100, 100, 100));
  EXPECT_TRUE(DlgItem<QLabel>(m_pView, 1012)->isHidden());
  EXPECT_TRUE(DlgItem<QLabel>(m_pView, 1022)->isHidden());
}

TEST_F(ViewFixture, EveryControlHasAnAccessibleName) {
  const std::pair<int, const char *> names[] = {
      {1009, "Num. Amostras"},
      {1001, "Hora de início"},
      {1007, "Taxa de amostragem"},
      {1002, "MAX"},
      {1003, "MAX @"},
      {1008, "MIN"},
      {1006, "MIN @"},
      {1005, "Média"},
      {1000, "Anular Zoom"},
      {1059, "Gráfico"},
      {1060, "Tabela"},
      {1010, "Gráfico em tempo real"},
      {1037, "Tabela"},
      {1061, "Cursor"},
      {1004, "Cursor A"},
      {1024, "Cursor B @"},
      {1029, "Média entre A e B"},
      {1032, "Quantidade entre A e B"},
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
