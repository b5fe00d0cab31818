#pragma once

#include <string>
#include <vector>

// The udev rule that lets the person at the desk open the meter's bridge.
inline constexpr const char *kUdevRuleName = "70-tarvik.rules";

// Who may open a device node, as far as a permission message needs to know.
struct CDeviceAccess {
  bool m_bKnown = false; // the node could be stat'ed
  unsigned m_nUid = 0;
  unsigned m_nGid = 0;
  unsigned m_nMode = 0;          // permission bits only
  std::string m_strGroup;        // the node's group by name, or its number when it has no name
  bool m_bRuleInstalled = false; // kUdevRuleName is in effect in one of udev's rule folders
  bool m_bGroupPending = false;  // the user is in the node's group, but this login began before

  // Joining the node's group would let the user open it: the group may read
  // and write, and it is not root's own group.
  bool GroupCanOpen() const { return (m_nMode & 060) == 060 && m_nGid != 0; }
};

// udev's rule folders, highest precedence first.
std::vector<std::string> UdevRuleDirs();
CDeviceAccess ProbeDeviceAccess(const std::string &strDevice,
                                const std::vector<std::string> &ruleDirs = UdevRuleDirs());
