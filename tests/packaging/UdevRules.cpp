#include "packaging/UdevRules.h"

#include <fnmatch.h>

#include <regex>
#include <sstream>

namespace udevcheck {

namespace {

enum class EKind { Device, Parent, AssignOnly, Both };

// Keys of this checker: matched on the event's device, on one device up the
// chain, only assigned, or both matched and assigned.
const std::map<std::string, EKind> &Keys() {
  static const std::map<std::string, EKind> keys = {
      {"ACTION", EKind::Device},     {"SUBSYSTEM", EKind::Device}, {"KERNEL", EKind::Device},
      {"DRIVER", EKind::Device},     {"ATTR", EKind::Device},      {"KERNELS", EKind::Parent},
      {"SUBSYSTEMS", EKind::Parent}, {"DRIVERS", EKind::Parent},   {"ATTRS", EKind::Parent},
      {"GOTO", EKind::AssignOnly},   {"LABEL", EKind::AssignOnly}, {"MODE", EKind::AssignOnly},
      {"GROUP", EKind::AssignOnly},  {"OWNER", EKind::AssignOnly}, {"SYMLINK", EKind::Both},
      {"ENV", EKind::Both},          {"TAG", EKind::Both},         {"RUN", EKind::AssignOnly},
  };
  return keys;
}

bool IsMatchOp(const std::string &op) {
  return op == "==" || op == "!=";
}
bool HasAttr(const std::string &name) {
  return name == "ATTR" || name == "ATTRS" || name == "ENV";
}

// udev's patterns: shell globs, alternatives separated by '|'.
bool Matches(const std::string &pattern, const std::string &value) {
  std::stringstream in(pattern);
  std::string alt;
  while (std::getline(in, alt, '|'))
    if (fnmatch(alt.c_str(), value.c_str(), 0) == 0)
      return true;
  return false;
}

bool KeyMatches(const CKey &key, const std::string &value) {
  return Matches(key.strValue, value) == (key.strOp == "==");
}

std::string Lookup(const std::map<std::string, std::string> &m, const std::string &k) {
  auto it = m.find(k);
  return it == m.end() ? std::string() : it->second;
}

bool DeviceKeyMatches(const CKey &key, const CEvent &event) {
  const CDevice &dev = event.chain.front();
  if (key.strName == "ACTION")
    return KeyMatches(key, event.strAction);
  if (key.strName == "SUBSYSTEM")
    return KeyMatches(key, dev.strSubsystem);
  if (key.strName == "KERNEL")
    return KeyMatches(key, dev.strKernel);
  if (key.strName == "DRIVER")
    return KeyMatches(key, dev.strDriver);
  if (key.strName == "ATTR")
    return KeyMatches(key, Lookup(dev.attrs, key.strAttr));
  if (key.strName == "ENV")
    return KeyMatches(key, Lookup(event.env, key.strAttr));
  if (key.strName == "TAG")
    return (event.tags.count(key.strValue) > 0) == (key.strOp == "==");
  return false;
}

bool ParentKeyMatches(const CKey &key, const CDevice &dev) {
  if (key.strName == "KERNELS")
    return KeyMatches(key, dev.strKernel);
  if (key.strName == "SUBSYSTEMS")
    return KeyMatches(key, dev.strSubsystem);
  if (key.strName == "DRIVERS")
    return KeyMatches(key, dev.strDriver);
  return dev.attrs.count(key.strAttr) > 0 && KeyMatches(key, dev.attrs.at(key.strAttr));
}

// All the keys that look up the chain must match on one and the same device.
bool ParentKeysMatch(const std::vector<const CKey *> &keys, const CEvent &event) {
  if (keys.empty())
    return true;
  for (const CDevice &dev : event.chain) {
    bool bAll = true;
    for (const CKey *key : keys)
      bAll = bAll && ParentKeyMatches(*key, dev);
    if (bAll)
      return true;
  }
  return false;
}

// The first LABEL named so after rule `nFrom`; past the end when there is none.
std::size_t LabelIndex(const CRules &rules, const std::string &strLabel, std::size_t nFrom) {
  for (std::size_t j = nFrom + 1; j < rules.rules.size(); ++j)
    for (const CKey &key : rules.rules[j].keys)
      if (key.strName == "LABEL" && key.strValue == strLabel)
        return j;
  return rules.rules.size();
}

std::string Error(int nLine, const std::string &text) {
  return "line " + std::to_string(nLine) + ": " + text;
}

} // namespace

CRules ParseRules(const std::string &text) {
  CRules out;
  static const std::regex keyRe(
      R"re(\s*([A-Z_]+)(?:\{([^}]*)\})?\s*(==|!=|\+=|-=|:=|=)\s*"([^"]*)"\s*(,|$))re");
  std::stringstream in(text);
  std::string line, joined;
  int nLine = 0, nFirst = 0;
  while (std::getline(in, line)) {
    ++nLine;
    if (joined.empty())
      nFirst = nLine;
    if (!line.empty() && line.back() == '\\') {
      joined += line.substr(0, line.size() - 1);
      continue;
    }
    joined += line;
    std::string rule = std::move(joined);
    joined.clear();
    const auto start = rule.find_first_not_of(" \t");
    if (start == std::string::npos || rule[start] == '#')
      continue;
    CRule parsed;
    parsed.nLine = nFirst;
    std::size_t pos = start;
    std::smatch m;
    while (pos < rule.size()) {
      if (!std::regex_search(rule.cbegin() + static_cast<long>(pos), rule.cend(), m, keyRe,
                             std::regex_constants::match_continuous)) {
        out.errors.push_back(Error(nFirst, "cannot read '" + rule.substr(pos) + "'"));
        break;
      }
      CKey key{m[1], m[2], m[3], m[4]};
      pos += static_cast<std::size_t>(m.length(0));
      auto kind = Keys().find(key.strName);
      if (kind == Keys().end()) {
        out.errors.push_back(Error(nFirst, "unknown key " + key.strName));
        continue;
      }
      if (HasAttr(key.strName) != m[2].matched)
        out.errors.push_back(
            Error(nFirst, key.strName + (m[2].matched ? " takes no {name}" : " needs {name}")));
      const bool bMatch = IsMatchOp(key.strOp);
      if (bMatch && kind->second == EKind::AssignOnly)
        out.errors.push_back(Error(nFirst, key.strName + " can only be assigned, not compared"));
      if (!bMatch && (kind->second == EKind::Device || kind->second == EKind::Parent))
        out.errors.push_back(Error(nFirst, key.strName + " can only be compared (== or !=), not assigned"));
      parsed.keys.push_back(key);
    }
    out.rules.push_back(parsed);
  }
  // Every GOTO needs a LABEL after it.
  for (std::size_t i = 0; i < out.rules.size(); ++i)
    for (const CKey &key : out.rules[i].keys)
      if (key.strName == "GOTO" && LabelIndex(out, key.strValue, i) == out.rules.size())
        out.errors.push_back(
            Error(out.rules[i].nLine, "GOTO \"" + key.strValue + "\" has no LABEL after it"));
  return out;
}

void ApplyRules(const CRules &rules, CEvent &event) {
  for (std::size_t i = 0; i < rules.rules.size(); ++i) {
    const CRule &rule = rules.rules[i];
    std::vector<const CKey *> parentKeys;
    bool bMatch = true;
    for (const CKey &key : rule.keys) {
      if (!IsMatchOp(key.strOp))
        continue;
      if (Keys().at(key.strName) == EKind::Parent)
        parentKeys.push_back(&key);
      else
        bMatch = bMatch && DeviceKeyMatches(key, event);
    }
    if (!bMatch || !ParentKeysMatch(parentKeys, event))
      continue;
    std::string strGoto;
    for (const CKey &key : rule.keys) {
      if (IsMatchOp(key.strOp))
        continue;
      if (key.strName == "ENV")
        event.env[key.strAttr] = key.strValue;
      else if (key.strName == "TAG" && key.strOp == "-=")
        event.tags.erase(key.strValue);
      else if (key.strName == "TAG")
        event.tags.insert(key.strValue);
      else if (key.strName == "GOTO")
        strGoto = key.strValue;
      else if (key.strName == "RUN")
        event.run.push_back(key.strValue);
    }
    if (!strGoto.empty())
      i = LabelIndex(rules, strGoto, i) - 1; // the loop's ++i lands on the label's line
  }
}

} // namespace udevcheck
