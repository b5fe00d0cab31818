// tarvik-console: the simulated meter's live readout on the terminal.
#include "files/NumberText.h"
#include "sim/ConsoleReadout.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <thread>

int main(int argc, char **argv) {
  CConsoleOptions opt;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
      opt.m_duration = std::chrono::milliseconds(static_cast<long>(LenientNumber(argv[++i]) * 1000));
    } else {
      std::cerr << "usage: tarvik-console [--seconds N]\n";
      return 2;
    }
  }
  opt.m_sleep = [](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); };
  CMeterSim sim;
  int n = RunConsoleReadout(sim, std::cout, opt);
  if (n == 0) {
    std::cerr << "tarvik-console: no frame was decoded\n";
    return 1;
  }
  return 0;
}
