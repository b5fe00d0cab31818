#pragma once

#include "lang/Language.h"

#include <optional>
#include <string>
#include <vector>

// Command line of the tarvik program.
struct AppOptions {
  bool bSimulate = false;    // --simulate: an in-process simulated meter
  std::string strScreenshot; // --screenshot PATH: save the window, then exit
  // --screenshot-of WHAT: "main" (the window once a reading has arrived),
  // "graph" (after a short run) or "datalogger" (after a download)
  std::string strScreenshotOf = "main";
  std::string strPortTemplate; // --port-template T: device of a port number
  bool bHelp = false;          // --help
  bool bVersion = false;       // --version
  int nRunRate = -1;           // --run RATE: a monitoring run as soon as the meter is heard (rate box index)
  std::optional<ELanguage> language; // --lang pt|en; nothing: the user's UI language
  std::string strStateFolder;        // where the run journal lives; empty: the user's state folder
};

struct AppOptionsResult {
  AppOptions options;
  std::string strError; // empty: parsed
};

// Parses the whole command line before Qt sees it, so --help, --version and
// usage errors need no display. Single-dash options other than -h are Qt's
// own (-platform NAME, -style NAME, -reverse, ...) and are left to Qt; since
// tarvik takes no operands, a word right after one of them is its value.
AppOptionsResult ParseAppOptions(const std::vector<std::string> &args);
const char *AppUsage();
// "tarvik 0.1\n": the project's version.
std::string AppVersionText();
