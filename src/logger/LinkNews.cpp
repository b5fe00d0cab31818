#include "logger/LinkNews.h"

SLinkNews LinkNews(const SConnection &conn) {
  using K = SLinkNews::EKind;
  switch (conn.eState) {
  case ELinkState::Sending:
    return {K::Found, conn.strDevice};
  case ELinkState::Silent:
    return {K::Lost, "the meter fell silent"};
  case ELinkState::Closed:
    // A reason means the open port went away; without one it was closed on purpose.
    if (conn.strReason.empty())
      return {};
    return {K::Lost, conn.strDevice + " went away"};
  case ELinkState::Open:
    return {K::Waiting, "port " + conn.strDevice + " open, waiting for the meter"};
  case ELinkState::NoMeterFound:
    return {K::Waiting, "waiting for a CP210x bridge to be plugged in"};
  case ELinkState::OpenFailed:
    return {K::Waiting, "waiting for " + conn.strDevice + " (" + conn.strReason + ")"};
  }
  return {};
}

void CLinkNewsObserver::OnConnectionChanged(const SConnection &conn) {
  const SLinkNews news = LinkNews(conn);
  switch (news.eKind) {
  case SLinkNews::EKind::Found:
    OnMeterFound(news.strText);
    break;
  case SLinkNews::EKind::Lost:
    OnMeterLost(news.strText);
    break;
  case SLinkNews::EKind::Waiting:
    OnWaiting(news.strText);
    break;
  case SLinkNews::EKind::None:
    break;
  }
}
