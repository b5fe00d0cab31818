#include "app/AppOptions.h"
#include "app/MainFrame.h"
#include "app/Prompts.h"
#include "app/TarvikApp.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarvik"));
  std::vector<std::string> args;
  for (const QString &a : QApplication::arguments().mid(1))
    args.push_back(a.toStdString());
  AppOptionsResult parsed = ParseAppOptions(args);
  if (!parsed.strError.empty()) {
    std::fprintf(stderr, "tarvik: %s\n%s", parsed.strError.c_str(), AppUsage());
    return 2;
  }
  if (parsed.options.bHelp) {
    std::fputs(AppUsage(), stdout);
    return 0;
  }

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
      std::fflush(stdout);
      QApplication::exit(nExit);
    });
    tarvik.ArmScreenshot(QString::fromStdString(parsed.options.strScreenshot));
  }
  QObject::connect(&tarvik.Frame(), &CMainFrame::closed, &app, &QApplication::quit, Qt::QueuedConnection);
  tarvik.Show();
  if (parsed.options.strScreenshot.empty())
    tarvik.OfferRecovery(); // nobody answers a question while a picture is taken
  const int nRc = QApplication::exec();
  return nRc != 0 ? nRc : nExit;
}
