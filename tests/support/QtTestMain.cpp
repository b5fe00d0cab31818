#include <QApplication>
#include <gtest/gtest.h>

#include <filesystem>
#include <stdlib.h>

// Widget tests need one QApplication for the whole run; the offscreen
// platform is forced so the suite runs without a display.
int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Run journals and settings (a port chosen by hand) of the tests stay
  // out of the user's folders.
  std::string strState = (std::filesystem::temp_directory_path() / "tarvik-state-XXXXXX").string();
  if (::mkdtemp(strState.data()))
    ::setenv("XDG_STATE_HOME", strState.c_str(), 1);
  std::string strConfig = (std::filesystem::temp_directory_path() / "tarvik-config-XXXXXX").string();
  if (::mkdtemp(strConfig.data()))
    ::setenv("XDG_CONFIG_HOME", strConfig.c_str(), 1);
  int nRc = 0;
  {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    nRc = RUN_ALL_TESTS();
  }
  std::error_code ec;
  std::filesystem::remove_all(strState, ec);
  std::filesystem::remove_all(strConfig, ec);
  return nRc;
}
