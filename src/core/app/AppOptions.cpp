#include "app/AppOptions.h"

#include "TarvikVersion.h"
#include "session/MonitorRun.h"

#include <algorithm>

namespace {
bool IsQtOption(const std::string &a) {
  return a.size() > 1 && a[0] == '-' && a[1] != '-' && a != "-h";
}
} // namespace

AppOptionsResult ParseAppOptions(const std::vector<std::string> &args) {
  AppOptionsResult r;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string &a = args[i];
    auto value = [&](std::string &out) {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        r.strError = "option " + a + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    if (a == "--simulate") {
      r.options.bSimulate = true;
    } else if (a == "--screenshot") {
      if (!value(r.options.strScreenshot))
        return r;
    } else if (a == "--screenshot-of") {
      if (!value(r.options.strScreenshotOf))
        return r;
      const std::string &w = r.options.strScreenshotOf;
      if (w != "main" && w != "graph" && w != "datalogger") {
        r.strError = "--screenshot-of takes main, graph or datalogger";
        return r;
      }
    } else if (a == "--port-template") {
      if (!value(r.options.strPortTemplate))
        return r;
      if (r.options.strPortTemplate.find("%d") == std::string::npos) {
        r.strError = "--port-template needs a %d for the port number, e.g. /dev/ttyS%d";
        return r;
      }
    } else if (a == "--run") {
      std::string strRate;
      if (!value(strRate))
        return r;
      const auto it = std::find(kSampleRateTexts.begin(), kSampleRateTexts.end(), strRate);
      if (it == kSampleRateTexts.end()) {
        r.strError = "--run needs one of the rates 0.1 0.2 0.5 1 1.5 2 2.5 3 5 10";
        return r;
      }
      r.options.nRunRate = static_cast<int>(it - kSampleRateTexts.begin());
    } else if (a == "--lang") {
      std::string strLang;
      if (!value(strLang))
        return r;
      r.options.language = LanguageFromOption(strLang);
      if (!r.options.language) {
        r.strError = "--lang takes pt or en";
        return r;
      }
    } else if (a == "--help" || a == "-h") {
      r.options.bHelp = true;
    } else if (a == "--version") {
      r.options.bVersion = true;
    } else if (IsQtOption(a)) {
      if (i + 1 < args.size() && !args[i + 1].starts_with('-'))
        ++i;
    } else {
      r.strError = "unknown option " + a;
      return r;
    }
  }
  return r;
}

const char *AppUsage() {
  return "usage: tarvik [--simulate] [--screenshot PATH [--screenshot-of WHAT]] [--port-template TEMPLATE] "
         "[--run RATE] [--lang pt|en]\n"
         "              [--help] [--version] [Qt options]\n"
         "  --simulate          start a simulated meter on a pseudo-terminal and use it\n"
         "  --screenshot PATH   save a picture of the main window once the first reading\n"
         "                      has arrived (10 s at the latest), then exit\n"
         "  --screenshot-of W   main (default), graph (after a short run at 0.1 s) or\n"
         "                      datalogger (the data logger window after a download)\n"
         "  --port-template T   device of a port number, default /dev/ttyUSB%d\n"
         "  --run RATE          start a monitoring run, one sample every RATE seconds\n"
         "                      (0.1 to 10), as soon as the meter is heard\n"
         "  --lang pt|en        the windows' language; default: English when the\n"
         "                      user's language is English, the program's own otherwise\n"
         "  --help              show this text and exit\n"
         "  --version           show the version and exit\n"
         "Qt's own options (-platform NAME, -style NAME, ...) are passed on to Qt.\n";
}

std::string AppVersionText() {
  return std::string("tarvik ") + kTarvikVersion + "\n";
}
