#pragma once

#include "logger/LoggerOptions.h"

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

// What the program around the logger provides: the clock, a descriptor
// that becomes readable when the logger must stop (a signalfd for SIGINT
// and SIGTERM), and the two output streams.
struct CLoggerEnv {
  using TextFn = std::function<void(std::string_view)>;
  std::function<std::chrono::system_clock::time_point()> wallClock = [] {
    return std::chrono::system_clock::now();
  };
  int nStopFd = -1;
  TextFn out;
  TextFn err;
  bool bTerminal = false; // standard error is a terminal: status and progress lines
  std::string strSysfsRoot = "/sys";
  std::string mqttPassword; // TARVIK_MQTT_PASSWORD, taken out of the environment
};

// Runs tarvik-logger with parsed options (not --help or --version) until
// the count, the duration or the stop descriptor ends it; the exit code.
int RunLogger(const CLoggerOptions &options, CLoggerEnv &env);
