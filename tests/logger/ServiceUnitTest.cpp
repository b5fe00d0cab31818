// The logger's systemd unit: its locks checked directive by directive, its
// exposure rated by systemd-analyze, and its command line run as the
// service would run it (umask 0027) against a meter on a pseudo-terminal.
#include "logger/LoggerProcess.h"
#include "sim/PtyMeter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <sys/stat.h>

namespace {

const std::string kLogger = TARVIK_LOGGER_BIN;

// Every "Key=value" of the unit, a key given twice keeping both values.
std::multimap<std::string, std::string> Directives(const std::string &text) {
  std::multimap<std::string, std::string> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line))
    if (std::size_t eq = line.find('='); eq != std::string::npos && !line.starts_with("#"))
      out.emplace(line.substr(0, eq), line.substr(eq + 1));
  return out;
}

std::string Replaced(std::string s, const std::string &from, const std::string &to) {
  for (std::size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size()))
    s.replace(p, from.size(), to);
  return s;
}

// The unit as installed, its program the one just built.
std::string InstalledUnit() {
  return Replaced(Slurp(TARVIK_SERVICE_UNIT), "@TARVIK_BINDIR@",
                  std::filesystem::path(kLogger).parent_path().string());
}

} // namespace

TEST(ServiceUnit, LocksTheLoggerDownToTheMetersDeviceAndItsFolder) {
  const auto d = Directives(InstalledUnit());
  const std::map<std::string, std::string> expect = {
      {"DynamicUser", "yes"},
      {"DevicePolicy", "closed"},
      {"DeviceAllow", "%f rw"},
      {"CapabilityBoundingSet", ""},
      {"RestrictAddressFamilies", "AF_UNIX AF_INET AF_INET6 AF_NETLINK"},
      {"ProtectKernelTunables", "yes"},
      {"ProtectKernelModules", "yes"},
      {"ProtectKernelLogs", "yes"},
      {"ProtectControlGroups", "yes"},
      {"ProtectClock", "yes"},
      {"RestrictNamespaces", "yes"},
      {"LockPersonality", "yes"},
      {"MemoryDenyWriteExecute", "yes"},
      {"NoNewPrivileges", "yes"},
      {"ProtectSystem", "strict"},
      {"UMask", "0027"},
      {"SupplementaryGroups", "tarvik-meter"},
  };
  for (const auto &[key, value] : expect) {
    ASSERT_EQ(d.count(key), 1u) << key;
    EXPECT_EQ(d.find(key)->second, value) << key;
  }
  auto filters = d.equal_range("SystemCallFilter");
  ASSERT_NE(filters.first, filters.second);
  EXPECT_EQ(filters.first->second, "@system-service");
  for (const auto &[key, value] : d)
    EXPECT_EQ(value.find("dialout"), std::string::npos) << key << "=" << value;
}

TEST(ServiceUnit, SystemdRatesItOk) {
  CTempDir dir;
  const std::string unit = dir.File("tarvik-logger@.service");
  Spit(unit, InstalledUnit());
  CChildProcess analyze(dir.Path().string(), {"/usr/bin/systemd-analyze", "security", "--offline=yes",
                                              "--threshold=30", "--no-pager", unit});
  const int nExit = analyze.Wait(std::chrono::seconds(60));
  const std::string out = analyze.Out();
  const std::size_t p = out.find("Overall exposure level for ");
  ASSERT_NE(p, std::string::npos) << out << analyze.Err();
  const std::size_t colon = out.find(": ", p);
  const double dScore = std::stod(out.substr(colon + 2, out.find(' ', colon + 2) - colon - 2));
  EXPECT_LE(dScore, 3.0) << out.substr(p);
  EXPECT_EQ(nExit, 0) << out.substr(p);
}

// The ExecStart line with the instance a pseudo-terminal, its state folder a
// temporary one: it records, and its daily file is 0640 under the unit's umask.
TEST(ServiceUnit, ItsCommandLineRecordsUnderItsUmask) {
  CTempDir dir;
  CPtyMeter meter;
  ASSERT_TRUE(meter.Start());
  const auto d = Directives(InstalledUnit());
  std::string line = d.find("ExecStart")->second;
  line = Replaced(line, "%f", meter.SlavePath());
  line = Replaced(line, "/var/lib/tarvik-logger/%i", dir.Path().string());
  line = Replaced(line, "%%", "%");
  line = Replaced(line, "$TARVIK_LOGGER_OPTS", "--count 3");
  std::vector<std::string> args;
  std::istringstream in(line);
  for (std::string w; in >> w;)
    args.push_back(w);
  const mode_t old = ::umask(027);
  CChildProcess logger(dir.Path().string(), args);
  ::umask(old);
  ASSERT_EQ(logger.Wait(), 0) << logger.Err();
  std::string file;
  for (auto &e : std::filesystem::directory_iterator(dir.Path()))
    if (e.path().filename().string().starts_with("tarvik-"))
      file = e.path().string();
  ASSERT_FALSE(file.empty());
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}
