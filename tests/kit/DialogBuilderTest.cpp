#include "kit/DialogBuilder.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

DlgTemplate SmallTemplate() {
  DlgTemplate t;
  t.id = 1;
  t.caption = "Porta";
  t.cx = 100;
  t.cy = 50;
  t.controls = {
      {-1, CtlKind::GroupBox, "Cursor", 2, 2, 96, 46},
      {1063, CtlKind::Edit, "3", 10, 10, 40, 14, false, "Porta"},
      {IDOK, CtlKind::DefButton, "OK", 10, 30, 30, 14},
      {1007, CtlKind::ComboDropList, "", 50, 10, 30, 85},
      {1012, CtlKind::Static, "level", 0, 0, 10, 8, true},
  };
  return t;
}

TEST(DialogBuilder, BaseUnitsFollowTheFont) {
  QFont f = DialogFont("Arial Unicode MS", 9);
  EXPECT_EQ(f.pixelSize(), 12);
  DlgBaseUnits u = DialogBaseUnits(f);
  // An Arial-metric font at 12 px: about 6 px average width, 14-15 px high.
  EXPECT_GE(u.cx, 5);
  EXPECT_LE(u.cx, 7);
  EXPECT_GE(u.cy, 13);
  EXPECT_LE(u.cy, 16);
  QRect r = DluToPixels({6, 15}, 4, 8, 10, 14);
  EXPECT_EQ(r, QRect(6, 15, 15, 26)); // 14 * 15 / 8 = 26.25 rounds to 26
}

TEST(DialogBuilder, ControlsAreFoundByIdAndNamedForScreenReaders) {
  QWidget w;
  DlgTemplate t = SmallTemplate();
  CDialogBuilder b(t);
  b.Build(&w);
  auto *edit = DlgItem<QLineEdit>(&w, 1063);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), "3");
  EXPECT_EQ(edit->accessibleName(), "Porta");
  EXPECT_EQ(edit->geometry(), b.ToPixels(10, 10, 40, 14));
  auto *ok = DlgItem<QPushButton>(&w, IDOK);
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(ok->isDefault());
  EXPECT_EQ(DlgItem<QPushButton>(&w, 1063), nullptr); // wrong type
  auto *combo = DlgItem<QComboBox>(&w, 1007);
  ASSERT_NE(combo, nullptr);
  EXPECT_LT(combo->height(), b.ToPixels(0, 0, 0, 85).height());
  EXPECT_TRUE(DlgItem<QLabel>(&w, 1012)->isHidden());
  EXPECT_EQ(b.DialogSize(), b.ToPixels(0, 0, 100, 50).size());
}

} // namespace
