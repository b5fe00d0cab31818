#include <QApplication>
#include <gtest/gtest.h>

// Widget tests need one QApplication for the whole run; the offscreen
// platform is forced so the suite runs without a display.
int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
