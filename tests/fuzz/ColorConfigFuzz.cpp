// Arbitrary bytes as the colour settings file: reading never fails, and
// writing the colours back into that same file (which keeps its other
// lines) and reading again gives the colours that were written.
#include "FuzzFile.h"

#include "graph/ColorConfig.h"

#include <cstdio>

namespace {
const CFuzzDir g_dir;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  const std::string path = g_dir.Path(kColorConfigName);
  WriteFuzzFile(path, data, size);
  GraphColors read = ReadColorConfig(path);
  GraphColors other;
  other.bk = MakeGraphColor(RedOf(read.line) ^ 0x5A, 1, 2);
  other.grid = MakeGraphColor(3, GreenOf(read.bk) ^ 0xA5, 4);
  other.line = MakeGraphColor(5, 6, BlueOf(read.grid) ^ 0x3C);
  if (!WriteColorConfig(path, other).bOk)
    std::abort();
  GraphColors back = ReadColorConfig(path);
  std::remove(path.c_str());
  std::remove((path + ".tmp").c_str());
  if (!(back == other))
    std::abort();
  return 0;
}
