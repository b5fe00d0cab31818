#include "monitor/MeterStatus.h"

#include "res/UiTexts.h"

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

std::string RunEndText(RunEndReason r) {
  switch (r) {
  case RunEndReason::User:
    return {};
  case RunEndReason::SampleLimit:
    return UiTexts::kRunEndedLimit;
  case RunEndReason::HoldSignal:
    return UiTexts::kRunEndedHold;
  case RunEndReason::Silence:
    return UiTexts::kRunEndedSilence;
  case RunEndReason::Unplugged:
    return UiTexts::kRunEndedUnplugged;
  }
  return {};
}

std::string DownloadFailCause(DownloadEndReason r) {
  switch (r) {
  case DownloadEndReason::Complete:
    return {};
  case DownloadEndReason::Silence:
    return UiTexts::kCauseSilence;
  case DownloadEndReason::Unplugged:
    return UiTexts::kCauseUnplugged;
  case DownloadEndReason::Timeout:
    return UiTexts::kCauseTimeout;
  }
  return {};
}

std::string DownloadEndText(DownloadEndReason r) {
  if (r == DownloadEndReason::Complete)
    return UiTexts::kDownloadDone;
  return FillText(UiTexts::kDownloadFailed, DownloadFailCause(r));
}
