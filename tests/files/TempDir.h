#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdlib.h>
#include <string>

// A fresh folder for one test, removed with everything in it afterwards.
class CTempDir {
public:
  CTempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "tarvik-XXXXXX").string();
    m_path = ::mkdtemp(tmpl.data());
  }
  ~CTempDir() {
    std::error_code ec;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(m_path, ec);
  }
  std::string File(const std::string &name) const { return (m_path / name).string(); }
  const std::filesystem::path &Path() const { return m_path; }

private:
  std::filesystem::path m_path;
};

inline std::string Slurp(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void Spit(const std::string &path, const std::string &bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}
