#include "../logger/LoggerProcess.h"
#include "support/ScopedTz.h"

#include "files/NumberText.h"
#include "files/TextDataFile.h"
#include "records/SampleAcoustics.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace {
// A data file of samples one second apart from nHour:nMinute:nSecond on 08-12-2026.
void WriteDataFile(const std::string &path, int nHour, int nMinute, int nSecond,
                   const std::vector<double> &levels) {
  std::string s = TextDataHeader(1.0) + "\r\n";
  int t = nHour * 3600 + nMinute * 60 + nSecond;
  for (double d : levels) {
    const std::string hms[] = {std::to_string(t / 3600), std::to_string(t / 60 % 60), std::to_string(t % 60)};
    s += "08-12-2026,";
    for (int i = 0; i < 3; ++i)
      s += (i ? ":" : "") + std::string(hms[i].size() < 2 ? "0" : "") + hms[i];
    s += ", ";
    AppendFixed(s, d, 2, 5);
    s += ", dBA\r\n";
    ++t;
  }
  std::ofstream(path, std::ios::binary) << s;
}

struct ReportRun {
  int nExit = -1;
  std::string out, err;
};

ReportRun Report(const CTempDir &dir, std::vector<std::string> args) {
  args.insert(args.begin(), TARVIK_REPORT_BIN);
  CChildProcess p(dir.Path().string(), args);
  ReportRun r;
  r.nExit = p.Wait();
  r.out = p.Out();
  r.err = p.Err();
  return r;
}

// The value of "key": in a flat JSON object, as its text.
std::string JsonField(const std::string &json, const std::string &key) {
  const std::size_t at = json.find("\"" + key + "\":");
  if (at == std::string::npos)
    return "missing";
  const std::size_t from = at + key.size() + 3;
  return json.substr(from, json.find_first_of(",}", from) - from);
}

std::string Golden(const std::string &name) {
  return std::string(TARVIK_REPORT_GOLDEN_DIR) + "/" + name;
}
} // namespace

TEST(ReportProgram, CsvFilesOfFilesGivenOutOfOrderParseWithPythonsCsvModule) {
  CScopedTz tz("CET-1CEST,M3.5.0,M10.5.0/3");
  CTempDir dir;
  WriteDataFile(dir.File("later.txt"), 10, 15, 0, {70, 70, 90, 90, 90, 70, 70, 70, 70, 70});
  WriteDataFile(dir.File("earlier.txt"), 9, 59, 58, {60, 60, 60, 60});
  const ReportRun r = Report(dir, {"--threshold", "85", "--csv-periods", dir.File("p.csv"), "--csv-events",
                                   dir.File("e.csv"), dir.File("later.txt"), dir.File("earlier.txt")});
  ASSERT_EQ(r.nExit, 0) << r.err;
  EXPECT_EQ(r.out, ""); // outputs asked for: no summary

  // strict RFC 4180 reading; every line ends in CR LF
  const char *script = "import csv, sys\n"
                       "for path in sys.argv[1:]:\n"
                       "    raw = open(path, 'rb').read()\n"
                       "    assert raw.endswith(b'\\r\\n') and b'\\n' not in raw.replace(b'\\r\\n', b'')\n"
                       "    with open(path, newline='') as f:\n"
                       "        for row in csv.reader(f, strict=True):\n"
                       "            print('|'.join(row))\n";
  CChildProcess py(dir.Path().string(),
                   {"/usr/bin/python3", "-c", script, dir.File("p.csv"), dir.File("e.csv")});
  ASSERT_EQ(py.Wait(), 0) << py.Err();
  EXPECT_EQ(py.Out(),
            "start|end|samples|coverage_percent|leq|lmax|lmin|l10|l50|l90\n"
            "2026-12-08T09:45:00+01:00|2026-12-08T10:00:00+01:00|2|0.2|60.0|60.0|60.0|60.0|60.0|60.0\n"
            "2026-12-08T10:00:00+01:00|2026-12-08T10:15:00+01:00|2|0.2|60.0|60.0|60.0|60.0|60.0|60.0\n"
            "2026-12-08T10:15:00+01:00|2026-12-08T10:30:00+01:00|10|1.1|84.9|90.0|70.0|90.0|70.0|70.0\n"
            "start|end|duration_s|lmax|leq|sel\n"
            "2026-12-08T10:15:02+01:00|2026-12-08T10:15:04+01:00|3.0|90.0|90.0|94.8\n");
}

TEST(ReportProgram, JsonOnTheGoldenFilesMatchesTheRunFiguresTheWindowsShow) {
  CScopedTz tz("UTC");
  CTempDir dir;
  // Each recording's read-outs as the data logger window showed them.
  std::map<std::string, std::map<std::string, std::string>> shown;
  for (const std::string prefix : {"download", "oddfile"}) {
    std::istringstream in(Slurp(Golden(prefix + "_readouts.txt")));
    std::string line, file;
    while (std::getline(in, line)) {
      if (line.starts_with("row "))
        file = prefix + "_rec" + line.substr(4) + "_data.txt";
      else if (line.find('=') != std::string::npos)
        shown[file][line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    }
  }
  ASSERT_EQ(shown.size(), 6u);
  for (const auto &[file, readouts] : shown) {
    SCOPED_TRACE(file);
    const ReportRun r = Report(dir, {"--json", Golden(file)});
    ASSERT_EQ(r.nExit, 0) << r.err;
    CSampleStore store;
    ASSERT_TRUE(ReadTextDataFile(Golden(file), store).Ok());
    EXPECT_EQ(JsonField(r.out, "samples"), std::to_string(store.GetSize()));
    // A recording holding the meter's own impossible times (45 February,
    // 12:99) loses those lines when its file is read back.
    if (std::to_string(store.GetSize()) == readouts.at("1009")) {
      EXPECT_EQ(JsonField(r.out, "lmax"), readouts.at("1002"));
      EXPECT_EQ(JsonField(r.out, "lmin"), readouts.at("1008"));
    }
    // the acoustic read-outs, worked out as the window does
    const AcousticStats st = SampleAcousticStats(CSampleArray(store), store.SampleRate(0));
    EXPECT_EQ(JsonField(r.out, "leq"), FormatDecibels(st.dLeq));
    EXPECT_EQ(JsonField(r.out, "l10"), FormatDecibels(st.dL10));
    EXPECT_EQ(JsonField(r.out, "l50"), FormatDecibels(st.dL50));
    EXPECT_EQ(JsonField(r.out, "l90"), FormatDecibels(st.dL90));
    EXPECT_EQ(JsonField(r.out, "sel"), FormatDecibels(st.dSel));
    const std::string weighting = JsonField(r.out, "weighting");
    EXPECT_EQ(JsonField(r.out, "lex_8h") == "null", weighting != "\"A\"");
    EXPECT_EQ(JsonField(r.out, "events"), "null");
  }
}

TEST(ReportProgram, SummaryAndExitCodes) {
  CScopedTz tz("UTC");
  CTempDir dir;
  WriteDataFile(dir.File("a.txt"), 8, 0, 0, {85, 85, 85});
  std::ofstream(dir.File("notdata.txt")) << "hello\r\n";
  const ReportRun summary = Report(dir, {dir.File("a.txt")});
  ASSERT_EQ(summary.nExit, 0);
  EXPECT_NE(summary.out.find("LAeq       85.0 dB"), std::string::npos) << summary.out;
  EXPECT_NE(summary.out.find("Lden       not given: no samples in the evening, night"), std::string::npos);

  struct Case {
    std::vector<std::string> args;
    int nExit;
    const char *err;
  };
  const Case cases[] = {
      {{}, 2, "no data file given"},
      {{"--period", "10m", dir.File("a.txt")}, 2, "--period must be 1m, 5m, 15m, 30m or 1h"},
      {{"--csv-events", dir.File("e.csv"), dir.File("a.txt")}, 2, "need --threshold"},
      {{"--threshold", "loud", dir.File("a.txt")}, 2, "--threshold must be a level in dB"},
      {{"--bogus", dir.File("a.txt")}, 2, "unknown option --bogus"},
      {{dir.File("notdata.txt")}, 3, "not a Tarvik data file"},
      {{dir.File("missing.txt")}, 3, "no readable samples"},
      {{"--csv-periods", dir.File("no/such/folder/p.csv"), dir.File("a.txt")}, 4, "cannot write"},
  };
  for (const Case &c : cases) {
    const ReportRun r = Report(dir, c.args);
    EXPECT_EQ(r.nExit, c.nExit) << c.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
}

TEST(ReportProgram, PdfReportCarriesTheParticularsAndFiguresOverItsPages) {
  CScopedTz tz("UTC");
  CTempDir dir;
  std::vector<double> levels;
  for (int i = 0; i < 7200; ++i)
    levels.push_back(i % 60 < 5 ? 90.0 : 60.0);
  WriteDataFile(dir.File("day.txt"), 8, 0, 0, levels);
  const ReportRun r = Report(dir, {"--period", "1m", "--threshold", "85", "--pdf", dir.File("r.pdf"),
                                   "--title", "Licença de evento", "--place", "Praça Nova", "--operator",
                                   "Rui", "--notes", "Vento fraco", dir.File("day.txt")});
  ASSERT_EQ(r.nExit, 0) << r.err;
  CChildProcess text(dir.Path().string(), {"/usr/bin/pdftotext", "-layout", dir.File("r.pdf"), "-"});
  ASSERT_EQ(text.Wait(), 0) << text.Err();
  const std::string pdf = text.Out();
  for (const char *s : {"Licença de evento", "Praça Nova", "Rui", "Vento fraco", "day.txt",
                        "08-12-2026 08:00:00 a 08-12-2026 09:59:59 (2:00:00)", "LAeq", "79.3 dB", "LEX,8h",
                        "73.2 dB(A)", "Lden", "não calculado: sem amostras de entardecer, noite", "Eventos",
                        "08-12-2026 09:59:00", "Página 1 de 5", "Página 5 de 5"})
    EXPECT_NE(pdf.find(s), std::string::npos) << s << "\n" << pdf.substr(0, 300);
  const ReportRun bad = Report(dir, {"--pdf", dir.File("none/r.pdf"), dir.File("day.txt")});
  EXPECT_EQ(bad.nExit, 4);
}
