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

TEST(PortDiscoveryTest, TheFirstBridgeListedWinsAndIsOpened200MsLater) {
  CFakeSysfs sys;
  sys.AddUsb("ttyUSB0", "ftdi_sio", "FT232R USB UART", "1-1");
  sys.AddUsb("ttyUSB7", "cp210x", "CP2102 USB to UART Bridge Controller", "1-2");
  sys.AddUsb("ttyUSB12", "cp210x", "CP2102 USB to UART Bridge Controller", "1-3");
  CPortDiscovery d(sys.Root());
  EXPECT_EQ(d.Port(), -1);
  auto step = d.DiscoverPort();
  EXPECT_EQ(step.m_eAction, CDiscoveryStep::OpenPort);
  EXPECT_EQ(step.m_nPort, 7);
  EXPECT_EQ(step.m_nDelayMs, 200);
  EXPECT_EQ(step.m_nMatches, 2);
  EXPECT_EQ(d.Port(), 7);
  EXPECT_FALSE(d.Discovering());
}

TEST(PortDiscoveryTest, ExtraPortsComeFirst) {
  CPortDiscovery d([] { return std::vector<CPortInfo>{Bridge(0)}; });
  CPortInfo sim = Bridge(4);
  sim.m_strDevice = "/dev/pts/4";
  d.AddExtraPort(sim);
  EXPECT_EQ(d.DiscoverPort().m_nPort, 4);
}

TEST(PortDiscoveryTest, AnArrivalDuringAFruitlessSearchCausesExactlyOneRetryAfter500Ms) {
  CPortDiscovery *pD = nullptr;
  int nSearches = 0;
  bool bArriveDuring = true;
  std::vector<CPortInfo> found;
  CPortDiscovery d([&] {
    ++nSearches;
    if (bArriveDuring) {
      // The enumeration can let an arrival in; it must not nest a search.
      EXPECT_EQ(pD->OnDeviceArrived().m_eAction, CDiscoveryStep::Nothing);
      EXPECT_EQ(pD->DiscoverPort().m_eAction, CDiscoveryStep::Nothing);
      pD->OnDeviceArrived();
    }
    return found;
  });
  pD = &d;

  auto step = d.DiscoverPort();
  EXPECT_EQ(nSearches, 1);
  EXPECT_EQ(step.m_eAction, CDiscoveryStep::DiscoverAgain);
  EXPECT_EQ(step.m_nDelayMs, 500);
  EXPECT_FALSE(d.Rediscover());

  bArriveDuring = false;
  step = d.DiscoverPort(); // the retry finds nothing and asks for no more
  EXPECT_EQ(step.m_eAction, CDiscoveryStep::Nothing);

  // After a search that found a port, an arrival during it causes none.
  bArriveDuring = true;
  found = {Other(1), Bridge(3)};
  step = d.DiscoverPort();
  EXPECT_EQ(step.m_eAction, CDiscoveryStep::OpenPort);
  EXPECT_EQ(step.m_nPort, 3);
  bArriveDuring = false;
  found.clear();
  EXPECT_EQ(d.DiscoverPort().m_eAction, CDiscoveryStep::Nothing);
  EXPECT_EQ(d.Port(), 3) << "a fruitless search keeps the port found before";
}

TEST(PortDiscoveryTest, ArrivalsSearchAfter100MsOnlyWhileAutomatic) {
  CPortDiscovery d([] { return std::vector<CPortInfo>{}; });
  auto step = d.OnDeviceArrived();
  EXPECT_EQ(step.m_eAction, CDiscoveryStep::DiscoverAgain);
  EXPECT_EQ(step.m_nDelayMs, 100);
  d.SetAutoPort(false);
  EXPECT_EQ(d.OnDeviceArrived().m_eAction, CDiscoveryStep::Nothing);
  EXPECT_FALSE(d.Rediscover());
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
