#pragma once

#include <string>

// What the status bar says about the meter, decided apart from any widget:
// whoever knows the link's state (today the monitoring view) fills these and
// the window only shows the texts.

// The connection pane: the port and whether the meter is sending.
struct ConnectionStatus {
  enum class Port {
    Searching,  // no discovery has finished yet
    NotFound,   // discovery found no meter bridge
    OpenFailed, // the port could not be opened
    Open,       // the port is open
    Lost,       // the open port's device went away (unplugged)
  };
  Port ePort = Port::Searching;
  std::string strDevice; // device path of the port, or "porta N"
  bool bSending = false; // the meter has been heard within the silence limit

  bool operator==(const ConnectionStatus &) const = default;
};
std::string ConnectionText(const ConnectionStatus &s);

// Why a monitoring run ended.
enum class RunEndReason { User, SampleLimit, HoldSignal, Silence, Unplugged };
// Empty for User: the user knows why.
std::string RunEndText(RunEndReason r);

// How a download ended.
enum class DownloadEndReason { Complete, Silence, Unplugged, Timeout };
// The status bar's line.
std::string DownloadEndText(DownloadEndReason r);
// The cause under "Occur an error"; empty for Complete.
std::string DownloadFailCause(DownloadEndReason r);

// "%1" in `pattern` replaced by `arg`.
std::string FillText(const char *pattern, const std::string &arg);
