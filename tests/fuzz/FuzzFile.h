#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

// A scratch folder of the fuzzing process, removed with it; the readers
// under test take paths, so each input is written to a real file there.
class CFuzzDir {
public:
  CFuzzDir() {
    // In memory where there is /dev/shm: a disk round trip per input is slow.
    m_strDir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    m_strDir += "/tarvik-fuzz-XXXXXX";
    if (!::mkdtemp(m_strDir.data()))
      std::abort();
  }
  ~CFuzzDir() { ::rmdir(m_strDir.c_str()); }
  std::string Path(const char *name) const { return m_strDir + "/" + name; }

private:
  std::string m_strDir;
};

inline void WriteFuzzFile(const std::string &strPath, const uint8_t *data, std::size_t size) {
  FILE *f = std::fopen(strPath.c_str(), "wb");
  if (!f || (size && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0)
    std::abort();
}
