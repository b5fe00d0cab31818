#include "packaging/UdevRules.h"
#include "serial/DeviceAccess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace udevcheck;

std::string ReadRule() {
  std::ifstream in(TARVIK_UDEV_RULE);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// A USB serial bridge as sysfs shows it under its tty node: the tty, the
// usb-serial port and the interface (both bound to the bridge's driver),
// then the USB device with its vendor and product.
CEvent Bridge(const std::string &strVendor, const std::string &strProduct, const std::string &strDriver,
              const std::string &strAction = "add") {
  CEvent event;
  event.strAction = strAction;
  event.chain = {
      {"tty", "ttyUSB0", "", {{"dev", "188:0"}}},
      {"usb-serial", "ttyUSB0", strDriver, {{"port_number", "0"}}},
      {"usb", "1-1:1.0", strDriver, {{"bInterfaceNumber", "00"}}},
      {"usb", "1-1", "usb", {{"idVendor", strVendor}, {"idProduct", strProduct}, {"product", "USB bridge"}}},
      {"usb", "usb1", "usb", {{"idVendor", "1d6b"}, {"idProduct", "0002"}}},
  };
  event.env["DEVNAME"] = "/dev/ttyUSB0";
  return event;
}

bool Tagged(CEvent event) {
  CRules rules = ParseRules(ReadRule());
  ApplyRules(rules, event);
  return event.tags.count("uaccess") > 0;
}

// The logger's group gets an access entry on the node, beside its own group.
bool GivenToTheLoggersGroup(CEvent event) {
  ApplyRules(ParseRules(ReadRule()), event);
  return event.run == std::vector<std::string>{"/usr/bin/setfacl -m g:tarvik-meter:rw $devnode"};
}

TEST(UdevRule, IsNamedAsTheMessagesSayAndReadsCleanly) {
  EXPECT_EQ(std::filesystem::path(TARVIK_UDEV_RULE).filename(), kUdevRuleName);
  const std::string text = ReadRule();
  ASSERT_FALSE(text.empty());
  CRules rules = ParseRules(text);
  EXPECT_TRUE(rules.errors.empty()) << rules.errors.front();
  EXPECT_GE(rules.rules.size(), 3u);
}

// Only the meter's bridge, only its tty node, on arrival and on the change
// event that the package's installation triggers.
TEST(UdevRule, TagsTheMetersBridgeAndNothingElse) {
  EXPECT_TRUE(Tagged(Bridge("10c4", "ea60", "cp210x")));
  EXPECT_TRUE(Tagged(Bridge("10c4", "ea60", "cp210x", "change")));

  EXPECT_FALSE(Tagged(Bridge("10c4", "ea60", "cp210x", "remove")));
  EXPECT_FALSE(Tagged(Bridge("0403", "6001", "ftdi_sio"))) << "another maker's bridge";
  EXPECT_FALSE(Tagged(Bridge("10c4", "ea70", "cp210x"))) << "another bridge of the same maker";
  EXPECT_FALSE(Tagged(Bridge("10c4", "ea60", "usbserial_generic"))) << "bound to another driver";
  EXPECT_TRUE(GivenToTheLoggersGroup(Bridge("10c4", "ea60", "cp210x")));
  EXPECT_FALSE(GivenToTheLoggersGroup(Bridge("0403", "6001", "ftdi_sio")));
  EXPECT_FALSE(GivenToTheLoggersGroup(Bridge("10c4", "ea60", "cp210x", "remove")));

  CEvent usbNode = Bridge("10c4", "ea60", "cp210x");
  usbNode.chain.erase(usbNode.chain.begin(), usbNode.chain.begin() + 3); // the USB device's own event
  EXPECT_FALSE(Tagged(usbNode));
}

// The checker catches the faults it stands in for, so the tests above can fail.
TEST(UdevRule, CheckerRejectsCommonMistakes) {
  EXPECT_FALSE(ParseRules("SUBSYSTEM==\"tty\", ATTRS{idVendor}=\"10c4\", TAG+=\"uaccess\"\n").errors.empty())
      << "= where == was meant";
  EXPECT_FALSE(
      ParseRules("SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"10c4\", TAGS+=\"uaccess\"\n").errors.empty());
  EXPECT_FALSE(ParseRules("SUBSYSTEM!=\"tty\", GOTO=\"end\"\nLABEL=\"the_end\"\n").errors.empty());
  EXPECT_FALSE(ParseRules("ATTRS==\"10c4\"\n").errors.empty());
  EXPECT_FALSE(ParseRules("SUBSYSTEM==\"tty\" TAG+=\"uaccess\"\n").errors.empty()) << "missing comma";
  EXPECT_TRUE(ParseRules("# comment\n\nKERNEL==\"ttyUSB*\", \\\n  TAG+=\"uaccess\"\n").errors.empty());

  // Keys that look up the chain match on one device: a driver and the USB
  // ids on a single line never meet.
  CEvent event = Bridge("10c4", "ea60", "cp210x");
  ApplyRules(
      ParseRules("SUBSYSTEM==\"tty\", DRIVERS==\"cp210x\", ATTRS{idVendor}==\"10c4\", TAG+=\"uaccess\"\n"),
      event);
  EXPECT_EQ(event.tags.count("uaccess"), 0u);
  ApplyRules(ParseRules("KERNEL==\"ttyUSB[0-9]|ttyACM*\", ATTRS{idVendor}==\"10c4\", TAG+=\"uaccess\"\n"),
             event);
  EXPECT_EQ(event.tags.count("uaccess"), 1u);
}

} // namespace
