#include "monitor/MeterStatus.h"

#include "forms/UiTexts.h"

std::string FillText(const char *pattern, const std::string &arg) {
  std::string s = pattern;
  if (const std::size_t at = s.find("%1"); at != std::string::npos)
    s.replace(at, 2, arg);
  return s;
}

std::string ConnectionText(const ConnectionStatus &s, FTranslate tr) {
  using P = ConnectionStatus::Port;
  switch (s.ePort) {
  case P::Searching:
    return tr(UiTexts::kSearching);
  case P::NotFound:
    return tr(UiTexts::kNoMeterFound);
  case P::OpenFailed:
    return FillText(tr(UiTexts::kCannotOpen).c_str(), s.strDevice);
  case P::Open:
    return FillText(tr(s.bSending ? UiTexts::kMeterSending : UiTexts::kMeterSilent).c_str(), s.strDevice);
  case P::Lost:
    return FillText(tr(UiTexts::kMeterUnplugged).c_str(), s.strDevice);
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

std::string RunEndText(ERunEnd r, FTranslate tr) {
  switch (r) {
  case ERunEnd::None:
  case ERunEnd::User:
    return {};
  case ERunEnd::SampleLimit:
    return tr(UiTexts::kRunEndedLimit);
  case ERunEnd::HoldSignal:
    return tr(UiTexts::kRunEndedHold);
  case ERunEnd::Silence:
    return tr(UiTexts::kRunEndedSilence);
  case ERunEnd::HangUp:
    return tr(UiTexts::kRunEndedUnplugged);
  }
  return {};
}

std::string DownloadFailCause(EDownloadEnd r, FTranslate tr) {
  switch (r) {
  case EDownloadEnd::Complete:
  case EDownloadEnd::Empty:
  case EDownloadEnd::Cancelled:
  case EDownloadEnd::Stalled:
    return {};
  case EDownloadEnd::Silence:
    return tr(UiTexts::kCauseSilence);
  case EDownloadEnd::HangUp:
    return tr(UiTexts::kCauseUnplugged);
  case EDownloadEnd::Watchdog:
    return tr(UiTexts::kCauseTimeout);
  }
  return {};
}

std::string DownloadEndText(EDownloadEnd r, FTranslate tr) {
  if (r == EDownloadEnd::Empty)
    return tr(UiTexts::kMeterMemoryEmpty);
  const std::string cause = DownloadFailCause(r, tr);
  if (cause.empty())
    return tr(UiTexts::kDownloadDone);
  return FillText(tr(UiTexts::kDownloadFailed).c_str(), cause);
}
