#include "serial/DeviceAccess.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string GroupName(gid_t gid) {
  long nSize = sysconf(_SC_GETGR_R_SIZE_MAX);
  std::vector<char> buf(nSize > 0 ? static_cast<std::size_t>(nSize) : 4096);
  group grp{};
  group *pFound = nullptr;
  if (getgrgid_r(gid, &grp, buf.data(), buf.size(), &pFound) != 0 || pFound == nullptr)
    return std::to_string(gid);
  return grp.gr_name;
}

// udev takes the first folder that has the name; an empty file or a link to
// /dev/null there masks the rule.
bool RuleInEffect(const std::vector<std::string> &ruleDirs) {
  for (const std::string &dir : ruleDirs) {
    struct stat st {};
    if (stat((dir + "/" + kUdevRuleName).c_str(), &st) == 0)
      return S_ISREG(st.st_mode) && st.st_size > 0;
  }
  return false;
}

} // namespace

std::vector<std::string> UdevRuleDirs() {
  return {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d", "/usr/lib/udev/rules.d",
          "/lib/udev/rules.d"};
}

CDeviceAccess ProbeDeviceAccess(const std::string &strDevice, const std::vector<std::string> &ruleDirs) {
  CDeviceAccess access;
  access.m_bRuleInstalled = RuleInEffect(ruleDirs);
  struct stat st {};
  if (stat(strDevice.c_str(), &st) != 0)
    return access;
  access.m_bKnown = true;
  access.m_nUid = st.st_uid;
  access.m_nGid = st.st_gid;
  access.m_nMode = st.st_mode & 07777;
  access.m_strGroup = GroupName(st.st_gid);
  return access;
}
