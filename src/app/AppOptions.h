#pragma once

#include <string>
#include <vector>

// Command line of the tarvik program.
struct AppOptions {
  bool bSimulate = false;      // --simulate: an in-process simulated meter
  std::string strScreenshot;   // --screenshot PATH: save the window, then exit
  // --screenshot-of WHAT: "main" (the window once a reading has arrived),
  // "graph" (after a short run) or "datalogger" (after a download)
  std::string strScreenshotOf = "main";
  std::string strPortTemplate; // --port-template T: device of a port number
  bool bHelp = false;          // --help
};

struct AppOptionsResult {
  AppOptions options;
  std::string strError; // empty: parsed
};

AppOptionsResult ParseAppOptions(const std::vector<std::string> &args);
const char *AppUsage();
