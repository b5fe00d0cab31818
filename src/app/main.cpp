#include "app/AppOptions.h"
#include "app/CommandRouter.h"
#include "app/MainFrame.h"
#include "app/Prompts.h"
#include "datalog/DataFileMenu.h"
#include "monitor/MyVomoView.h"
#include "monitor/SampleStore.h"

#include <QApplication>

#include <cstdio>

namespace {
// Until the serial layer is wired in: no port is ever found.
class CNoLink : public IMeterLink {
public:
  std::vector<int> FindBridgePorts() override { return {}; }
  OpenResult Open(int, ChunkHandler) override { return {false, "no serial layer"}; }
  void Close() override {}
  bool Write(const std::uint8_t *, std::size_t) override { return false; }
};
} // namespace

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

  CDataStores stores;
  CQtPrompts prompts;
  CMainFrame frame(stores, prompts);
  auto *view = new CMyVomoView(stores, prompts, std::make_unique<CNoLink>());
  frame.setCentralWidget(view);
  view->RegisterCommands(frame.Commands());
  CDataFileMenu dataFiles(stores, prompts, view, [view] { return view->Stat(); });
  dataFiles.RegisterCommands(frame.Commands());
  QObject::connect(&frame, &CMainFrame::deviceArrived, view, &CMyVomoView::OnDeviceArrived);
  frame.showMaximized();
  view->OnInitialUpdate();
  return QApplication::exec();
}
