#include "files/IniFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {
std::string Trim(const std::string &s) {
  auto b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos)
    return {};
  auto e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

bool SameName(const std::string &a, const std::string &b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The section name of a header line, if it is one.
std::optional<std::string> SectionOf(const std::string &line) {
  std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[')
    return std::nullopt;
  auto close = t.find(']');
  if (close == std::string::npos)
    return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

// The key of a "key=value" line, if it is one.
std::optional<std::string> KeyOf(const std::string &line) {
  std::string t = Trim(line);
  if (t.empty() || t.front() == ';')
    return std::nullopt;
  auto eq = t.find('=');
  if (eq == std::string::npos)
    return std::nullopt;
  return Trim(t.substr(0, eq));
}
} // namespace

CIniFile CIniFile::Load(const std::string &strPath) {
  CIniFile f;
  std::ifstream in(strPath, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    f.m_lines.push_back(line);
  }
  return f;
}

std::optional<std::string> CIniFile::Get(const std::string &strSection, const std::string &strKey) const {
  bool bIn = false;
  for (const auto &line : m_lines) {
    if (auto sec = SectionOf(line)) {
      bIn = SameName(*sec, strSection);
      continue;
    }
    if (!bIn)
      continue;
    if (auto key = KeyOf(line); key && SameName(*key, strKey))
      return Trim(line.substr(line.find('=') + 1));
  }
  return std::nullopt;
}

long long CIniFile::GetInt(const std::string &strSection, const std::string &strKey,
                           long long nDefault) const {
  auto v = Get(strSection, strKey);
  if (!v)
    return nDefault;
  const std::string &s = *v;
  std::size_t i = 0;
  bool bNeg = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+'))
    bNeg = s[i++] == '-';
  long long n = 0;
  for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i)
    n = (n * 10 + (s[i] - '0')) & 0xffffffffLL; // a 32-bit number, as stored
  return bNeg ? -n : n;
}

void CIniFile::Set(const std::string &strSection, const std::string &strKey, const std::string &strValue) {
  const std::string entry = strKey + "=" + strValue;
  bool bIn = false;
  std::optional<std::size_t> insertAt; // after the section's last key line
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    if (auto sec = SectionOf(m_lines[i])) {
      if (bIn)
        break;
      bIn = SameName(*sec, strSection);
      if (bIn)
        insertAt = i + 1;
      continue;
    }
    if (!bIn)
      continue;
    if (auto key = KeyOf(m_lines[i])) {
      if (SameName(*key, strKey)) {
        m_lines[i] = entry;
        return;
      }
      insertAt = i + 1;
    }
  }
  if (insertAt) {
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(*insertAt), entry);
    return;
  }
  m_lines.push_back("[" + strSection + "]");
  m_lines.push_back(entry);
}

std::string CIniFile::Text() const {
  std::string s;
  for (const auto &line : m_lines)
    s += line + "\n";
  return s;
}

bool CIniFile::Save(const std::string &strPath, std::string &strError) const {
  const std::string tmp = strPath + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) {
      strError = std::strerror(errno);
      return false;
    }
    out << Text();
    out.flush();
    if (!out) {
      strError = std::strerror(errno);
      std::remove(tmp.c_str());
      return false;
    }
  }
  if (std::rename(tmp.c_str(), strPath.c_str()) != 0) {
    strError = std::strerror(errno);
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}
