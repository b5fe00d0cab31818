#pragma once

#include <optional>
#include <string>
#include <vector>

// A small INI text file in the private-profile style: "[section]" headers,
// "key=value" lines, names compared without regard to case, other lines
// (comments, blanks) kept as they are.
class CIniFile {
public:
  // A missing or unreadable file reads as empty.
  static CIniFile Load(const std::string &strPath);

  std::optional<std::string> Get(const std::string &strSection, const std::string &strKey) const;
  // Like GetPrivateProfileInt: leading blanks, an optional sign and decimal
  // digits; a value without digits is 0; a missing key gives nDefault.
  long long GetInt(const std::string &strSection, const std::string &strKey, long long nDefault) const;
  // Replaces the key's value, or adds the key at the end of its section,
  // or adds the section at the end of the file.
  void Set(const std::string &strSection, const std::string &strKey, const std::string &strValue);

  std::string Text() const;
  // Writes through a temporary file renamed over the old one; the folder must exist.
  bool Save(const std::string &strPath, std::string &strError) const;

private:
  std::vector<std::string> m_lines;
};
