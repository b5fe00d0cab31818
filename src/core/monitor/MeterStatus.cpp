#include "monitor/MeterStatus.h"

#include "forms/UiTexts.h"

std::string FillText(const char *pattern, const std::string &arg) {
  std::string s = pattern;
  if (const std::size_t at = s.find("%1"); at != std::string::npos)
    s.replace(at, 2, arg);
  return s;
}

std::string ConnectionText(const ConnectionStatus &s) {
  using P = ConnectionStatus::Port;
  switch (s.ePort) {
  case P::Searching:
    return UiTexts::kSearching;
  case P::NotFound:
    return UiTexts::kNoMeterFound;
  case P::OpenFailed:
    return FillText(UiTexts::kCannotOpen, s.strDevice);
  case P::Open:
    return FillText(s.bSending ? UiTexts::kMeterSending : UiTexts::kMeterSilent, s.strDevice);
  case P::Lost:
    return FillText(UiTexts::kMeterUnplugged, s.strDevice);
  }
  return {};
}

ConnectionStatus NextConnectionStatus(ConnectionStatus st, const SConnection &conn) {
  using P = ConnectionStatus::Port;
  switch (conn.eState) {
  case ELinkState::Closed:
    if (!conn.strReason.empty()) {
      st.ePort = P::Lost; // the device went away
      st.bSending = false;
    }
    break;
  case ELinkState::Open:
  case ELinkState::Sending:
    st.ePort = P::Open;
    st.strDevice = conn.strDevice;
    st.bSending = conn.eState == ELinkState::Sending;
    break;
  case ELinkState::Silent:
    st.bSending = false;
    break;
  case ELinkState::NoMeterFound:
    st = ConnectionStatus{P::NotFound, {}, false};
    break;
  case ELinkState::OpenFailed:
    st = ConnectionStatus{P::OpenFailed, conn.strDevice, false};
    break;
  }
  return st;
}

std::string RunEndText(ERunEnd r) {
  switch (r) {
  case ERunEnd::None:
  case ERunEnd::User:
    return {};
  case ERunEnd::SampleLimit:
    return UiTexts::kRunEndedLimit;
  case ERunEnd::HoldSignal:
    return UiTexts::kRunEndedHold;
  case ERunEnd::Silence:
    return UiTexts::kRunEndedSilence;
  case ERunEnd::HangUp:
    return UiTexts::kRunEndedUnplugged;
  }
  return {};
}

std::string DownloadFailCause(EDownloadEnd r) {
  switch (r) {
  case EDownloadEnd::Complete:
  case EDownloadEnd::Empty:
  case EDownloadEnd::Cancelled:
  case EDownloadEnd::Stalled:
    return {};
  case EDownloadEnd::Silence:
    return UiTexts::kCauseSilence;
  case EDownloadEnd::HangUp:
    return UiTexts::kCauseUnplugged;
  case EDownloadEnd::Watchdog:
    return UiTexts::kCauseTimeout;
  }
  return {};
}

std::string DownloadEndText(EDownloadEnd r) {
  if (r == EDownloadEnd::Empty)
    return UiTexts::kMeterMemoryEmpty;
  const std::string cause = DownloadFailCause(r);
  if (cause.empty())
    return UiTexts::kDownloadDone;
  return FillText(UiTexts::kDownloadFailed, cause);
}
