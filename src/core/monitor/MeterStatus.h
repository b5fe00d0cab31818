#pragma once

#include "lang/Translate.h"
#include "session/RunEnd.h"
#include "session/SessionObserver.h"

#include <string>

// What the status bar says about the meter, decided apart from any widget
// from what the meter session reports; the window only shows the texts.

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
  std::string strDevice; // device path of the port
  bool bSending = false; // the meter has been heard within the silence limit

  bool operator==(const ConnectionStatus &) const = default;
};
std::string ConnectionText(const ConnectionStatus &s, FTranslate tr = SourceText);
// The pane after the session reported `conn`; a port closed with a reason
// was lost (unplugged).
ConnectionStatus NextConnectionStatus(ConnectionStatus st, const SConnection &conn);

// Why a monitoring run ended; empty for the user's own stop.
std::string RunEndText(ERunEnd r, FTranslate tr = SourceText);

// The status bar's line when a download ended. What arrived is kept
// whenever it ends: left or stalled downloads count as received.
std::string DownloadEndText(EDownloadEnd r, FTranslate tr = SourceText);
// The cause under "Occur an error"; empty when no error is told.
std::string DownloadFailCause(EDownloadEnd r, FTranslate tr = SourceText);

// "%1" in `pattern` replaced by `arg`.
std::string FillText(const char *pattern, const std::string &arg);
