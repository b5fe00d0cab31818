// Arbitrary download text into ParseLogData: it must announce the end once,
// and every level takes at least four characters of text (or a trailing
// short piece of a recording), so the store stays within a bound of the
// input's size.
#include "meter/LogParser.h"
#include "records/SampleStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

struct CEndCounter : IReceiveSink {
  int m_nEnded = 0;
  void OnHoldSignal() override {}
  void OnDownloadEnded() override { ++m_nEnded; }
  void OnDownloadProgress(int, int, int) override {}
  void OnReadoutRefresh() override {}
  void OnDownloadText(const std::string &) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char *>(data), size);
  CLogDecodeState dec;
  CSampleStore store;
  CEndCounter sink;
  ParseLogData(text, dec, store, sink);
  if (sink.m_nEnded != 1)
    std::abort();
  if (store.GetSize() > size / 3 + 1)
    std::abort();
  for (std::size_t i = 0; i < store.GetSize(); ++i) {
    const CObjData &rec = store[i];
    if (rec.m_dValue < 0 || rec.m_dValue > 999.9 || rec.m_nGroup < 0 || rec.m_nGroup > dec.m_nLogGroup)
      std::abort();
    if (rec.m_strUnit != "dBA" && rec.m_strUnit != "dBC" && !rec.m_strUnit.empty())
      std::abort();
  }
  return 0;
}
