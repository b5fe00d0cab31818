#include "logger/MqttAccess.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {

// The first line of a file only its owner (and group) may read.
std::optional<std::string> ReadPasswordFile(const std::string &strPath, std::string &strError) {
  const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    strError = "--mqtt-password-file " + strPath + ": " + std::strerror(errno);
    return std::nullopt;
  }
  struct stat st {};
  std::string text;
  bool bOk = ::fstat(fd, &st) == 0;
  if (bOk && (st.st_mode & S_IRWXO) != 0) {
    ::close(fd);
    strError = "--mqtt-password-file " + strPath +
               ": others may read it; make it private first (chmod 600 or chmod 640)";
    return std::nullopt;
  }
  char buf[1024];
  while (bOk && text.find('\n') == std::string::npos && text.size() < 64 * 1024) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      bOk = n == 0;
      break;
    }
    text.append(buf, static_cast<std::size_t>(n));
  }
  const int nErr = errno;
  ::close(fd);
  if (!bOk) {
    strError = "--mqtt-password-file " + strPath + ": " + std::strerror(nErr);
    return std::nullopt;
  }
  text.erase(std::min(text.find('\n'), text.size()));
  if (!text.empty() && text.back() == '\r')
    text.pop_back();
  if (text.empty()) {
    strError = "--mqtt-password-file " + strPath + ": the first line is empty";
    return std::nullopt;
  }
  return text;
}

} // namespace

std::optional<CMqttAccess> MqttAccessFor(const CLoggerOptions &o, const CMqttUrl &url,
                                         const char *envPassword, std::string &strError) {
  CMqttAccess a;
  a.strUser = url.strUser;
  a.bTls = url.bTls;
  a.strCafile = o.strMqttCafile;
  a.strCapath = o.strMqttCapath;
  a.strCert = o.strMqttCert;
  a.strKey = o.strMqttKey;
  a.bInsecure = o.bMqttInsecure;
  const bool bTlsAsked =
      !a.strCafile.empty() || !a.strCapath.empty() || !a.strCert.empty() || !a.strKey.empty() || a.bInsecure;
  if (bTlsAsked && !a.bTls) {
    strError = "--mqtt-cafile, --mqtt-capath, --mqtt-cert, --mqtt-key and --mqtt-insecure need an "
               "mqtts:// URL";
    return std::nullopt;
  }
  if (a.strCert.empty() != a.strKey.empty()) {
    strError = "--mqtt-cert and --mqtt-key go together";
    return std::nullopt;
  }
  // A mistyped path is said now, not as a TLS failure at every attempt.
  for (const auto &[name, path, mode] :
       {std::tuple{"--mqtt-cafile", &a.strCafile, R_OK},
        std::tuple{"--mqtt-capath", &a.strCapath, R_OK | X_OK}, std::tuple{"--mqtt-cert", &a.strCert, R_OK},
        std::tuple{"--mqtt-key", &a.strKey, R_OK}}) {
    if (!path->empty() && ::access(path->c_str(), mode) != 0) {
      strError = std::string(name) + " " + *path + ": " + std::strerror(errno);
      return std::nullopt;
    }
  }
  if (!o.strMqttPasswordFile.empty()) {
    a.password = ReadPasswordFile(o.strMqttPasswordFile, strError);
    if (!a.password)
      return std::nullopt;
  } else if (envPassword && *envPassword) {
    a.password = envPassword;
  }
  if (a.password && a.strUser.empty()) {
    strError = "--mqtt: a password is given but the URL names no user (mqtt://USER@HOST/PREFIX)";
    return std::nullopt;
  }
  return a;
}
