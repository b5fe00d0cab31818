// Writes the fuzzers' seed corpora from the simulator's downloads and the
// programs' own file writers: tarvik_fuzz_seeds <tests/corpus folder>.
// The receive seeds keep their own layout and are not made here.
#include "files/TextDataFile.h"
#include "graph/ColorConfig.h"
#include "meter/HexText.h"
#include "sim/SimRecordingFile.h"
#include "sim/SimWire.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

void Put(const std::filesystem::path &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The download as the receive path hands it over: hex text after the
// header byte and the length word, up to and including the end marker.
std::string DownloadText(const std::vector<CSimRecording> &recs) {
  std::vector<uint8_t> bytes = sim::BuildDownload(recs);
  std::string hex;
  AppendHex(hex, bytes.data() + 3, bytes.size() - 4);
  return hex;
}

void LogDataSeeds(const std::filesystem::path &dir) {
  Put(dir / "one_recording", DownloadText(GenerateSimRecordings(1, 6)));
  Put(dir / "three_recordings", DownloadText(GenerateSimRecordings(3, 4)));
  CSimRecording late;
  late.m_bWeightA = false;
  late.m_nYear = 2026, late.m_nMonth = 12, late.m_nDay = 31;
  late.m_nHour = 23, late.m_nMinute = 59, late.m_nSecond = 58;
  late.m_nInterval = 2;
  late.m_levels = {99.9, 30.0, 130.4};
  Put(dir / "past_midnight_c", DownloadText({late}));
  CSimRecording empty;
  empty.m_nHour = 12;
  Put(dir / "empty_recording", DownloadText({empty, late}));
  Put(dir / "no_recordings", DownloadText({}));
}

void TextDataSeeds(const std::filesystem::path &dir) {
  CSampleStore live;
  live.Emplace(65.2, "07-12-2026,10:00:00", "dBA", 0, 1.0);
  live.Emplace(101.35, "07-12-2026,10:00:01", "dBA", 0, 1.0);
  live.Emplace(0.0, "07-12-2026,10:00:02", "dBC", 0, 1.0);
  WriteTextDataFile((dir / "live").string(), CSampleArray(live));
  CSampleStore logged;
  logged.Emplace(45.5, "31-12-2026,23:59:59", "dBC", 1, 0.5);
  logged.Emplace(46.0, "01-01-2027,0:00:00", "dBC", 1, 0.5);
  logged.Emplace(70.1, "01-01-2027,9:30:00", "dBA", 2, 0.5);
  WriteTextDataFile((dir / "download").string(), CSampleArray(logged));
  Put(dir / "header_only", TextDataHeader(0.1) + "\r\n");
  Put(dir / "blank_line", TextDataHeader(2.0) + "\r\n07-12-2026,10:00:00, 60.00, dBA\r\n\r\nx, 1, dBA\r\n");
}

void ColorSeeds(const std::filesystem::path &dir) {
  WriteColorConfig((dir / "defaults").string(), GraphColors{});
  GraphColors c{MakeGraphColor(10, 20, 30), MakeGraphColor(255, 255, 255), MakeGraphColor(0, 128, 0)};
  WriteColorConfig((dir / "custom").string(), c);
  Put(dir / "mixed", "; colours\r\n[vomo_bkcolor]\r\nrvalue = 300\r\nGValue=-1\r\n[Other]\r\nRVALUE=7\r\n"
                     "[Vomo_LINECOLOR]\r\nBVALUE=+12abc\r\n");
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path root = argv[1];
  for (const char *name : {"log_data", "text_data", "color_config"})
    std::filesystem::create_directories(root / name);
  LogDataSeeds(root / "log_data");
  TextDataSeeds(root / "text_data");
  ColorSeeds(root / "color_config");
  return 0;
}
