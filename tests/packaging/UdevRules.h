#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

// Enough of udev's rule language to check a rules file's syntax and to run
// it against a device chain, for machines whose udevadm cannot verify.
namespace udevcheck {

struct CDevice {
  std::string strSubsystem, strKernel, strDriver;
  std::map<std::string, std::string> attrs;
};

// What udev knows while it runs the rules for one event.
struct CEvent {
  std::string strAction = "add";
  std::vector<CDevice> chain; // [0] the device of the event, then its parents up to the root
  std::map<std::string, std::string> env;
  std::set<std::string> tags;
  std::vector<std::string> run; // the programs RUN+= queued
};

struct CKey {
  std::string strName, strAttr, strOp, strValue;
};

struct CRule {
  int nLine = 0;
  std::vector<CKey> keys;
};

struct CRules {
  std::vector<CRule> rules;
  std::vector<std::string> errors; // "line N: ..."
};

CRules ParseRules(const std::string &text);
// Runs every rule in order, following GOTO, and applies the assignments.
void ApplyRules(const CRules &rules, CEvent &event);

} // namespace udevcheck
