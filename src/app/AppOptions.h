#pragma once

#include <string>
#include <vector>

// Command line of the tarvik program.
struct AppOptions {
  bool bSimulate = false;      // --simulate: an in-process simulated meter
  std::string strScreenshot;   // --screenshot PATH: save the window, then exit
  std::string strPortTemplate; // --port-template T: device of a port number
  bool bHelp = false;          // --help
  int nRunRate = -1;           // --run RATE: a monitoring run as soon as the meter is heard (rate box index)
  std::string strStateFolder;  // where the run journal lives; empty: the user's state folder
};

struct AppOptionsResult {
  AppOptions options;
  std::string strError; // empty: parsed
};

AppOptionsResult ParseAppOptions(const std::vector<std::string> &args);
const char *AppUsage();
