#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

// A throw-away sysfs tree laid out as the kernel does it: class/tty/NAME with
// a device link to the port's folder, whose driver link names the driver and
// whose USB device ancestor carries idVendor, idProduct and the strings.
class CFakeSysfs {
public:
  CFakeSysfs() {
    std::random_device rd;
    m_root = std::filesystem::temp_directory_path() / ("tarvik-sysfs-" + std::to_string(rd()));
    std::filesystem::create_directories(m_root / "class" / "tty");
  }
  ~CFakeSysfs() {
    std::error_code ec;
    std::filesystem::remove_all(m_root, ec);
  }
  std::string Root() const { return m_root.string(); }

  // A USB serial port; an empty product leaves the product file out.
  void AddUsb(const std::string &strTty, const std::string &strDriver, const std::string &strProduct,
              const std::string &strBus = "1-1", const std::string &strMaker = "Silicon Labs") {
    auto usb = m_root / "devices" / "pci0000:00" / "usb1" / strBus;
    std::filesystem::create_directories(usb);
    Write(usb / "idVendor", "10c4\n");
    Write(usb / "idProduct", "ea60\n");
    if (!strProduct.empty())
      Write(usb / "product", strProduct + "\n");
    Write(usb / "manufacturer", strMaker + "\n");
    auto port = usb / (strBus + ":1.0") / strTty;
    AddPort(strTty, port, strDriver, "usb-serial");
  }
  // A port on the mainboard (no USB ancestor).
  void AddPlatform(const std::string &strTty) {
    AddPort(strTty, m_root / "devices" / "platform" / "serial8250" / strTty, "serial8250", "platform");
  }
  // A virtual terminal: a class entry with no device behind it.
  void AddVirtual(const std::string &strTty) {
    std::filesystem::create_directories(m_root / "class" / "tty" / strTty);
  }
  void Remove(const std::string &strTty) { std::filesystem::remove_all(m_root / "class" / "tty" / strTty); }

private:
  static void Write(const std::filesystem::path &p, const std::string &s) { std::ofstream(p) << s; }
  void AddPort(const std::string &strTty, const std::filesystem::path &port, const std::string &strDriver,
               const std::string &strBus) {
    std::filesystem::create_directories(port);
    auto driver = m_root / "bus" / strBus / "drivers" / strDriver;
    std::filesystem::create_directories(driver);
    if (!std::filesystem::is_symlink(port / "driver"))
      std::filesystem::create_symlink(driver, port / "driver");
    auto entry = m_root / "class" / "tty" / strTty;
    std::filesystem::create_directories(entry);
    std::filesystem::create_symlink(port, entry / "device");
  }
  std::filesystem::path m_root;
};
