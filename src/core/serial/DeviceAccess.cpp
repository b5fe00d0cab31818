#include "serial/DeviceAccess.h"

#include <algorithm>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<char> EntryBuffer(int nName) {
  long nSize = sysconf(nName);
  return std::vector<char>(nSize > 0 ? static_cast<std::size_t>(nSize) : 16384);
}

// The group's name (or number), and whether the user belongs to it in the
// group database while this process does not carry it: the group was
// joined after the login began.
void ReadGroup(gid_t gid, CDeviceAccess &access) {
  access.m_strGroup = std::to_string(gid);
  std::vector<char> buf = EntryBuffer(_SC_GETGR_R_SIZE_MAX);
  group grp{};
  group *pGroup = nullptr;
  if (getgrgid_r(gid, &grp, buf.data(), buf.size(), &pGroup) != 0 || pGroup == nullptr)
    return;
  access.m_strGroup = grp.gr_name;

  std::vector<char> userBuf = EntryBuffer(_SC_GETPW_R_SIZE_MAX);
  passwd pw{};
  passwd *pUser = nullptr;
  if (getpwuid_r(geteuid(), &pw, userBuf.data(), userBuf.size(), &pUser) != 0 || pUser == nullptr)
    return;
  bool bListed = pw.pw_gid == gid;
  for (char **pMember = grp.gr_mem; pMember != nullptr && *pMember != nullptr && !bListed; ++pMember)
    bListed = std::strcmp(*pMember, pw.pw_name) == 0;
  if (!bListed || getegid() == gid)
    return;
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)));
  const int nGroups = getgroups(static_cast<int>(groups.size()), groups.data());
  groups.resize(static_cast<std::size_t>(std::max(nGroups, 0)));
  access.m_bGroupPending = std::find(groups.begin(), groups.end(), gid) == groups.end();
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
  ReadGroup(st.st_gid, access);
  return access;
}
