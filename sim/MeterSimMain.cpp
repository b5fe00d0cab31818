// tarvik-meter-sim: a simulated meter on a pseudo-terminal. Prints the
// terminal's path; then reads commands from standard input.
#include "app/ProgramOutput.h"
#include "files/NumberText.h"
#include "sim/PtyMeter.h"
#include "sim/SimRecordingFile.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <poll.h>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_bQuit = 0;
void OnSignal(int) {
  g_bQuit = 1;
}

void Usage() {
  std::puts("usage: tarvik-meter-sim [options]\n"
            "  --interval MS         milliseconds between live frames (250)\n"
            "  --level DB            a constant level\n"
            "  --steps FROM,STEP,N   N levels from FROM in steps of STEP, repeating\n"
            "  --levels A,B,C,...    these levels, repeating\n"
            "  --weight A|C          frequency weighting (A)\n"
            "  --slow                slow time weighting\n"
            "  --range N             range 1, 2, 3 or 4 (auto)\n"
            "  --recordings FILE     data-logger memory from a text data file\n"
            "  --generate N          N made-up recordings in the data-logger memory\n"
            "  --hold                start with the hold signal\n"
            "  --silent-after S      fall silent after S seconds\n"
            "  --hangup-after S      hang up after S seconds\n"
            "commands on standard input: hold, release, silent, talk, key HEX, hangup, quit");
}

std::vector<double> ParseList(const std::string &s) {
  std::vector<double> v;
  std::stringstream in(s);
  std::string item;
  while (std::getline(in, item, ','))
    v.push_back(LenientNumber(item));
  return v;
}

bool Command(CPtyMeter &meter, const std::string &line) {
  std::stringstream in(line);
  std::string cmd;
  in >> cmd;
  if (cmd == "hold" || cmd == "release") {
    meter.WithSim([&](CMeterSim &s) { s.SetHold(cmd == "hold"); });
  } else if (cmd == "silent") {
    meter.FallSilent();
  } else if (cmd == "talk") {
    meter.Talk();
  } else if (cmd == "key") {
    std::string hex;
    in >> hex;
    uint8_t code = static_cast<uint8_t>(std::strtoul(hex.c_str(), nullptr, 16));
    meter.WithSim([&](CMeterSim &s) { s.OnBytesReceived(&code, 1); });
  } else if (cmd == "hangup" || cmd == "quit") {
    return false;
  } else if (!cmd.empty()) {
    std::fprintf(stderr, "unknown command: %s\n", cmd.c_str());
  }
  return true;
}

} // namespace

int main(int argc, char **argv) {
  IgnoreBrokenPipes();
  CPtyMeter meter;
  int nSilentAfter = -1, nHangupAfter = -1;
  bool bHold = false;
  std::vector<std::function<void(CMeterSim &)>> setup;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto next = [&]() -> std::string {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "%s needs a value\n", a.c_str());
        std::exit(2);
      }
      return argv[++i];
    };
    if (a == "--interval") {
      meter.SetFrameInterval(std::chrono::milliseconds(std::atoi(next().c_str())));
    } else if (a == "--level") {
      double d = LenientNumber(next());
      setup.push_back([d](CMeterSim &s) { s.SetLevelSource(CLevelSource::Constant(d)); });
    } else if (a == "--steps") {
      auto v = ParseList(next());
      if (v.size() != 3) {
        std::fputs("--steps needs FROM,STEP,N\n", stderr);
        return 2;
      }
      setup.push_back([v](CMeterSim &s) { s.SetLevelSource(CLevelSource::Steps(v[0], v[1], int(v[2]))); });
    } else if (a == "--levels") {
      auto v = ParseList(next());
      if (v.empty()) {
        std::fputs("--levels needs at least one level\n", stderr);
        return 2;
      }
      setup.push_back([v](CMeterSim &s) { s.SetLevelSource(CLevelSource::Sequence(v)); });
    } else if (a == "--weight") {
      bool bA = next() != "C";
      setup.push_back([bA](CMeterSim &s) { s.SetWeightA(bA); });
    } else if (a == "--slow") {
      setup.push_back([](CMeterSim &s) { s.SetFast(false); });
    } else if (a == "--range") {
      int n = std::atoi(next().c_str());
      setup.push_back([n](CMeterSim &s) { s.SetRange(n); });
    } else if (a == "--recordings") {
      std::vector<CSimRecording> recs;
      std::string strError;
      if (!LoadSimRecordings(next(), recs, strError)) {
        std::fprintf(stderr, "%s\n", strError.c_str());
        return 1;
      }
      setup.push_back([recs](CMeterSim &s) { s.SetRecordings(recs); });
    } else if (a == "--generate") {
      auto recs = GenerateSimRecordings(std::atoi(next().c_str()), 120);
      setup.push_back([recs](CMeterSim &s) { s.SetRecordings(recs); });
    } else if (a == "--hold") {
      bHold = true;
    } else if (a == "--silent-after") {
      nSilentAfter = std::atoi(next().c_str());
    } else if (a == "--hangup-after") {
      nHangupAfter = std::atoi(next().c_str());
    } else if (a == "--help" || a == "-h") {
      Usage();
      return FlushOutput("tarvik-meter-sim") ? 0 : 1;
    } else {
      std::fprintf(stderr, "unknown option %s\n", a.c_str());
      Usage();
      return 2;
    }
  }
  meter.WithSim([&](CMeterSim &s) {
    for (auto &f : setup)
      f(s);
    s.SetHold(bHold);
  });
  if (!meter.Start()) {
    std::fprintf(stderr, "tarvik-meter-sim: %s\n", meter.Error().c_str());
    return 1;
  }
  std::printf("%s\n", meter.SlavePath().c_str());
  FlushOutput("tarvik-meter-sim"); // nobody reads the path: the meter still runs

  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  auto t0 = std::chrono::steady_clock::now();
  bool bSilent = false, bStdin = true;
  std::string pending;
  while (!g_bQuit) {
    pollfd pfd{STDIN_FILENO, POLLIN, 0};
    int r = ::poll(&pfd, bStdin ? 1 : 0, 100);
    if (r > 0 && (pfd.revents & (POLLIN | POLLHUP))) {
      char buf[256];
      ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
      if (n <= 0) {
        bStdin = false; // no commands: run until a signal or a time-out
      } else {
        pending.append(buf, static_cast<size_t>(n));
        for (size_t pos; (pos = pending.find('\n')) != std::string::npos;) {
          std::string line = pending.substr(0, pos);
          pending.erase(0, pos + 1);
          if (!Command(meter, line))
            g_bQuit = 1;
        }
      }
    }
    auto secs =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - t0).count();
    if (!bSilent && nSilentAfter >= 0 && secs >= nSilentAfter) {
      meter.FallSilent();
      bSilent = true;
    }
    if (nHangupAfter >= 0 && secs >= nHangupAfter)
      break;
  }
  meter.HangUp();
  return 0;
}
