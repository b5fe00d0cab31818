#include "app/AppLanguage.h"
#include "app/AppOptions.h"
#include "app/MainFrame.h"
#include "app/ProgramOutput.h"
#include "app/TarvikApp.h"
#include "kit/Prompts.h"

#include "TarvikVersion.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char **argv) {
  IgnoreBrokenPipes();
  // Before QApplication: --help, --version and usage errors need no display.
  AppOptionsResult parsed = ParseAppOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.strError.empty()) {
    std::fprintf(stderr, "tarvik: %s\n%s", parsed.strError.c_str(), AppUsage());
    return 2;
  }
  if (parsed.options.bHelp) {
    std::fputs(AppUsage(), stdout);
    return FlushOutput("tarvik") ? 0 : 1;
  }
  if (parsed.options.bVersion) {
    std::fputs(AppVersionText().c_str(), stdout);
    return FlushOutput("tarvik") ? 0 : 1;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarvik"));
  QApplication::setApplicationVersion(QString::fromUtf8(kTarvikVersion));
  // Ties the windows to the installed menu entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(TARVIK_APP_ID));
  Q_INIT_RESOURCE(icon); // tarvik_ui is a static library
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icon/tarvik.svg")));

  QString strNoCatalogue;
  const AppTranslators translators = InstallLanguage(UserLanguage(parsed.options.language), strNoCatalogue);
  if (!strNoCatalogue.isEmpty()) // those texts stay untranslated; everything else works
    std::fprintf(stderr, "tarvik: %s\n", qPrintable(strNoCatalogue));

  CQtPrompts prompts;
  CTarvikApp tarvik(parsed.options, prompts);
  std::string strError;
  if (!tarvik.Start(strError)) {
    std::fprintf(stderr, "tarvik: %s\n", strError.c_str());
    return 1;
  }
  int nExit = 0;
  if (!parsed.options.strScreenshot.empty()) {
    QObject::connect(&tarvik, &CTarvikApp::screenshotTaken, &app, [&](bool bSaved, const QString &path) {
      if (bSaved) {
        std::printf("tarvik: screenshot saved to %s\n", qPrintable(path));
      } else {
        std::fprintf(stderr, "tarvik: cannot write the screenshot to %s\n", qPrintable(path));
        nExit = 1;
      }
      FlushOutput("tarvik");
      QApplication::exit(nExit);
    });
    tarvik.ArmScreenshot(QString::fromStdString(parsed.options.strScreenshot));
  }
  QObject::connect(&tarvik.Frame(), &CMainFrame::closed, &app, &QApplication::quit, Qt::QueuedConnection);
  tarvik.Show();
  if (parsed.options.strScreenshot.empty()) // nobody answers a question while a picture is taken
    QTimer::singleShot(0, &tarvik, [&tarvik] { tarvik.OfferRecovery(); }); // once the window is up
  const int nRc = QApplication::exec();
  return nRc != 0 ? nRc : nExit;
}
