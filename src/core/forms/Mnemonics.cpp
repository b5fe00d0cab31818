#include "forms/Mnemonics.h"

#include <set>

namespace {
bool IsAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

std::vector<std::string> WithMnemonics(const std::vector<std::string> &texts) {
  std::set<char> used;
  for (const std::string &t : texts)
    if (const std::size_t at = t.find('&'); at != std::string::npos && at + 1 < t.size())
      used.insert(Lower(t[at + 1]));
  std::vector<std::string> out = texts;
  for (std::string &t : out) {
    if (t.find('&') != std::string::npos)
      continue;
    for (std::size_t i = 0; i < t.size(); ++i) {
      if (IsAsciiLetter(t[i]) && used.insert(Lower(t[i])).second) {
        t.insert(i, 1, '&');
        break;
      }
    }
  }
  return out;
}
