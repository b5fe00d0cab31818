#pragma once

#include "session/SessionObserver.h"

#include <string>

// What the logger tells of the meter's port and the meter behind it.
struct SLinkNews {
  enum class EKind {
    None,    // nothing worth a line
    Found,   // the meter is heard on strText (its device)
    Lost,    // the meter is gone: strText says how
    Waiting, // no meter yet: strText says what is awaited
  };
  EKind eKind = EKind::None;
  std::string strText;
};

// The line a change of the session's connection is worth.
SLinkNews LinkNews(const SConnection &conn);

// Turns the session's connection changes into the three things the
// logger's outputs tell.
class CLinkNewsObserver : public ISessionObserver {
public:
  void OnConnectionChanged(const SConnection &conn) override;

protected:
  virtual void OnMeterFound(const std::string &strDevice) = 0;
  virtual void OnMeterLost(const std::string &strWhy) = 0;
  virtual void OnWaiting(const std::string &strWhat) = 0;
};
