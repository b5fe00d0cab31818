// Arbitrary bytes as a text data file through ReadTextDataFile: a file the
// reader refuses leaves the store as it was, and what it takes writes back
// out as a file that reads again as the same number of samples, and the
// same levels where the line had the file's shape.
#include "FuzzFile.h"

#include "files/TextDataFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
const CFuzzDir g_dir;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  const std::string path = g_dir.Path("data.txt");
  WriteFuzzFile(path, data, size);
  CSampleStore store;
  store.Emplace(61.5, "07-12-2026,10:00:00", "dBA", 0, 1.0);
  CFileResult res = ReadTextDataFile(path, store);
  std::remove(path.c_str());
  if (!res.Ok()) {
    if (store.GetSize() != 1 || store[0].m_dValue != 61.5)
      std::abort();
    return 0;
  }
  // Lines end at LF, CR LF or a lone CR.
  std::size_t nLines = 1;
  for (std::size_t i = 0; i < size; ++i)
    nLines += data[i] == '\n' || (data[i] == '\r' && (i + 1 == size || data[i + 1] != '\n'));
  if (store.GetSize() >= nLines)
    std::abort(); // the header line is no sample
  if (store.GetSize() == 0)
    return 0; // nothing to write back: an empty store writes no file

  CStringSink out;
  if (!WriteTextData(out, CSampleArray(store)))
    std::abort();
  CTextDataContent again = ParseTextData(out.m_str);
  if (!again.result.Ok() || again.samples.GetSize() != store.GetSize())
    std::abort();
  for (std::size_t i = 0; i < store.GetSize(); ++i) {
    // A malformed line's fields may hold commas of their own (the unit is
    // its last four characters): the reader is lenient, not reversible.
    const CObjData &rec = store[i];
    if (rec.m_strUnit.find(',') != std::string::npos ||
        std::count(rec.m_strTime.begin(), rec.m_strTime.end(), ',') != 1)
      continue;
    double a = store[i].m_dValue, b = again.samples[i].m_dValue;
    // Written with two decimals; a level past the double's range stays infinite.
    if (std::isfinite(a) && std::fabs(a) < 1e12 && std::fabs(a - b) > 0.0051)
      std::abort();
  }
  return 0;
}
