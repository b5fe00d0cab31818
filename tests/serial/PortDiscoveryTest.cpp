#include "serial/PortDiscovery.h"
#include "serial/ArrivalScanner.h"
#include "serial/PortEnumerator.h"

#include "serial/FakeSysfs.h"

#include <gtest/gtest.h>

TEST(PortEnumeratorTest, BridgesMatchByTheirDriverWhateverTheirProductString) {
  CFakeSysfs sys;
  sys.AddUsb("ttyUSB0", "cp210x", "CP2102 USB to UART Bridge Controller", "1-1");
  sys.AddUsb("ttyUSB1", "cp210x", "CP2102N USB to UART Bridge Controller", "1-2");
  sys.AddUsb("ttyUSB12", "cp210x", "Sound Meter Interface", "1-3", "Acme");
  sys.AddUsb("ttyUSB3", "ftdi_sio", "FT232R USB UART", "1-4", "FTDI");
  sys.AddUsb("ttyACM0", "cdc_acm", "", "1-5"); // no product file
  sys.AddPlatform("ttyS0");
  sys.AddVirtual("tty0");
  sys.AddVirtual("console");

  auto ports = EnumerateSerialPorts(sys.Root());
  ASSERT_EQ(ports.size(), 6u);
  std::vector<std::string> names;
  for (auto &p : ports)
    names.push_back(p.m_strName);
  EXPECT_EQ(names,
            std::vector<std::string>({"ttyACM0", "ttyS0", "ttyUSB0", "ttyUSB1", "ttyUSB3", "ttyUSB12"}));

  EXPECT_EQ(ports[0].m_strDescription, "");
  EXPECT_EQ(ports[0].m_strDriver, "cdc_acm");
  EXPECT_EQ(ports[1].m_strDescription, "");
  EXPECT_EQ(ports[1].m_strDriver, "serial8250");
  EXPECT_EQ(ports[1].m_nNumber, 0);
  for (int i : {2, 3, 5})
    EXPECT_EQ(ports[i].m_strDescription, kBridgeDescription) << ports[i].m_strName;
  EXPECT_EQ(ports[4].m_strDescription, "FT232R USB UART");
  EXPECT_EQ(ports[4].m_strManufacturer, "FTDI");
  EXPECT_EQ(ports[5].m_nNumber, 12);
  EXPECT_EQ(ports[5].m_strDevice, "/dev/ttyUSB12");
  EXPECT_EQ(ports[5].m_strManufacturer, "Acme");
}

TEST(PortEnumeratorTest, AMissingTreeGivesNoPortsAndNamesGiveTheirNumbers) {
  EXPECT_TRUE(EnumerateSerialPorts("/nonexistent/tarvik/sys").empty());
  EXPECT_EQ(PortNumberFromName("ttyUSB12"), 12);
  EXPECT_EQ(PortNumberFromName("ttyS0"), 0);
  EXPECT_EQ(PortNumberFromName("console"), -1);
  EXPECT_EQ(PortNumberFromName("ttyX99999999999"), -1);
}

namespace {
CPortInfo Bridge(int n) {
  CPortInfo p;
  p.m_strName = "ttyUSB" + std::to_string(n);
  p.m_nNumber = n;
  p.m_strDescription = kBridgeDescription;
  return p;
}
CPortInfo Other(int n) {
  CPortInfo p = Bridge(n);
  p.m_strDescription = "FT232R USB UART";
  return p;
}
} // namespace

TEST(PortDiscoveryTest, EveryBridgeInListOrderAndOthersLeftOut) {
  CFakeSysfs sys;
  sys.AddUsb("ttyUSB0", "ftdi_sio", "FT232R USB UART", "1-1");
  sys.AddUsb("ttyUSB7", "cp210x", "CP2102 USB to UART Bridge Controller", "1-2");
  sys.AddUsb("ttyUSB12", "cp210x", "CP2102 USB to UART Bridge Controller", "1-3");
  EXPECT_EQ(CPortDiscovery(sys.Root()).FindBridgePorts(), (std::vector<int>{7, 12}));
  EXPECT_TRUE(CPortDiscovery([] { return std::vector<CPortInfo>{Other(1)}; }).FindBridgePorts().empty());
}

TEST(PortDiscoveryTest, ExtraPortsComeFirst) {
  CPortDiscovery d([] { return std::vector<CPortInfo>{Bridge(0)}; });
  CPortInfo sim = Bridge(4);
  sim.m_strDevice = "/dev/pts/4";
  d.AddExtraPort(sim);
  EXPECT_EQ(d.FindBridgePorts(), (std::vector<int>{4, 0}));
  d.ClearExtraPorts();
  EXPECT_EQ(d.FindBridgePorts(), (std::vector<int>{0}));
}

TEST(ArrivalScannerTest, NewEntriesAreOneArrivalAndRemovalsNone) {
  CFakeSysfs sys;
  sys.AddPlatform("ttyS0");
  CArrivalScanner scan(sys.Root());
  EXPECT_FALSE(scan.Rescan()) << "ports present at the start are not arrivals";

  sys.AddUsb("ttyUSB0", "cp210x", "CP2102 USB to UART Bridge Controller", "1-1");
  EXPECT_TRUE(scan.Rescan());
  EXPECT_FALSE(scan.Rescan());

  sys.AddUsb("ttyUSB1", "cp210x", "x", "1-2");
  sys.AddUsb("ttyUSB2", "cp210x", "x", "1-3");
  sys.AddUsb("ttyUSB3", "cp210x", "x", "1-4");
  EXPECT_TRUE(scan.Rescan());
  EXPECT_FALSE(scan.Rescan());

  sys.Remove("ttyUSB0");
  EXPECT_FALSE(scan.Rescan());
  EXPECT_EQ(scan.LastRemoved(), std::set<std::string>({"ttyUSB0"}));
  // Plugged in again: an arrival once more.
  sys.AddUsb("ttyUSB0", "cp210x", "x", "1-1");
  EXPECT_TRUE(scan.Rescan());
}
