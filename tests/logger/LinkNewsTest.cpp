// The lines tarvik-logger writes about the meter's port, from the session's
// connection changes.
#include "logger/LinkNews.h"

#include <gtest/gtest.h>

namespace {

SConnection Conn(ELinkState e, std::string strReason = {}) {
  SConnection c;
  c.eState = e;
  c.strDevice = "/dev/serial/by-id/meter";
  c.strReason = std::move(strReason);
  return c;
}

TEST(LinkNews, EachConnectionChangeIsFoundLostWaitingOrNothing) {
  using K = SLinkNews::EKind;
  SLinkNews n = LinkNews(Conn(ELinkState::Sending));
  EXPECT_EQ(n.eKind, K::Found);
  EXPECT_EQ(n.strText, "/dev/serial/by-id/meter");
  n = LinkNews(Conn(ELinkState::Silent));
  EXPECT_EQ(n.eKind, K::Lost);
  EXPECT_EQ(n.strText, "the meter fell silent");
  n = LinkNews(Conn(ELinkState::Closed, "the device went away"));
  EXPECT_EQ(n.eKind, K::Lost);
  EXPECT_EQ(n.strText, "/dev/serial/by-id/meter went away");
  EXPECT_EQ(LinkNews(Conn(ELinkState::Closed)).eKind, K::None) << "closed on purpose";
  n = LinkNews(Conn(ELinkState::Open));
  EXPECT_EQ(n.eKind, K::Waiting);
  EXPECT_EQ(n.strText, "port /dev/serial/by-id/meter open, waiting for the meter");
  n = LinkNews(Conn(ELinkState::OpenFailed, "No such file or directory"));
  EXPECT_EQ(n.eKind, K::Waiting);
  EXPECT_EQ(n.strText, "waiting for /dev/serial/by-id/meter (No such file or directory)");
  n = LinkNews(Conn(ELinkState::NoMeterFound));
  EXPECT_EQ(n.eKind, K::Waiting);
  EXPECT_EQ(n.strText, "waiting for a CP210x bridge to be plugged in");
}

} // namespace
