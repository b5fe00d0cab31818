#include "serial/DeviceArrivalWatcher.h"

#include "serial/FakeSysfs.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
void Touch(const QString &strPath) {
  QFile f(strPath);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}
} // namespace

TEST(DeviceArrivalWatcherTest, ADevChangeTriggersARescanAndABurstIsOneArrival) {
  CFakeSysfs sys;
  QTemporaryDir dev;
  ASSERT_TRUE(dev.isValid());
  sys.AddPlatform("ttyS0");
  CDeviceArrivalWatcher w(dev.path(), QString::fromStdString(sys.Root()), 60000, 50);
  QSignalSpy spy(&w, &CDeviceArrivalWatcher::deviceArrived);

  sys.AddUsb("ttyUSB0", "cp210x", "CP2102 USB to UART Bridge Controller", "1-1");
  Touch(dev.path() + "/ttyUSB0");
  EXPECT_TRUE(spy.wait(2000));
  EXPECT_EQ(spy.count(), 1);

  for (const char *name : {"ttyUSB1", "ttyUSB2", "ttyUSB3"}) {
    sys.AddUsb(name, "cp210x", "x", std::string("2-") + name);
    Touch(dev.path() + "/" + name);
    QTest::qWait(10);
  }
  EXPECT_TRUE(spy.wait(2000));
  QTest::qWait(150);
  EXPECT_EQ(spy.count(), 2);

  sys.Remove("ttyUSB0");
  QFile::remove(dev.path() + "/ttyUSB0");
  QTest::qWait(200);
  EXPECT_EQ(spy.count(), 2) << "a removal is no arrival";
}

TEST(DeviceArrivalWatcherTest, ThePeriodicRescanFindsArrivalsThatDevNeverShows) {
  CFakeSysfs sys;
  QTemporaryDir dev;
  CDeviceArrivalWatcher w(dev.path(), QString::fromStdString(sys.Root()), 50, 20);
  QSignalSpy spy(&w, &CDeviceArrivalWatcher::deviceArrived);
  QTest::qWait(120);
  EXPECT_EQ(spy.count(), 0);
  sys.AddUsb("ttyUSB0", "cp210x", "x", "1-1");
  EXPECT_TRUE(spy.wait(2000));
  QTest::qWait(120);
  EXPECT_EQ(spy.count(), 1);
}
