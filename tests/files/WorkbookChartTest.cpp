#include "TempDir.h"
#include "files/WorkbookFile.h"
#include "records/SampleStore.h"
#include "records/StatData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A page rendered to pixels (binary PPM, as pdftoppm writes it).
struct Image {
  int nWidth = 0, nHeight = 0;
  std::vector<unsigned char> rgb;
  const unsigned char *At(int x, int y) const { return &rgb[static_cast<std::size_t>((y * nWidth + x) * 3)]; }
};

Image ReadPpm(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int nMax = 0;
  Image img;
  in >> magic >> img.nWidth >> img.nHeight >> nMax;
  in.get();
  img.rgb.resize(static_cast<std::size_t>(img.nWidth * img.nHeight * 3));
  in.read(reinterpret_cast<char *>(img.rgb.data()), static_cast<std::streamsize>(img.rgb.size()));
  return img;
}

bool IsCurve(const unsigned char *p) { // the chart's blue line, anti-aliased edges included
  return p[2] > 110 && p[0] < 110 && p[1] < 110;
}
bool IsRule(const unsigned char *p) { // the plot's grey axis and grid lines
  return p[0] == p[1] && p[1] == p[2] && p[0] < 235 && p[0] > 60;
}

struct Span {
  int nCurveLeft = -1, nCurveRight = -1, nPlotWidth = 0;
};

// Where the curve runs, and the plot's width as its longest grey rule.
Span Measure(const Image &img) {
  Span s;
  for (int y = 0; y < img.nHeight; ++y) {
    int nRun = 0;
    for (int x = 0; x < img.nWidth; ++x) {
      const unsigned char *p = img.At(x, y);
      nRun = IsRule(p) ? nRun + 1 : 0;
      s.nPlotWidth = std::max(s.nPlotWidth, nRun);
      if (IsCurve(p)) {
        s.nCurveLeft = s.nCurveLeft < 0 ? x : std::min(s.nCurveLeft, x);
        s.nCurveRight = std::max(s.nCurveRight, x);
      }
    }
  }
  return s;
}

// The exported chart as a spreadsheet program shows it: LibreOffice renders
// the workbook, and the curve runs across the plot for a run of minutes and
// for one of days (a line chart over date cells drew one vertical line).
TEST(WorkbookChart, TheCurveSpansThePlotInLibreOffice) {
  struct Case {
    const char *name;
    int nSeconds; // between samples
  };
  for (const Case c : {Case{"two minutes", 1}, Case{"three days", 2160}}) {
    SCOPED_TRACE(c.name);
    CTempDir dir;
    CSampleStore s;
    for (int i = 0; i < 120; ++i) {
      const int t = i * c.nSeconds;
      char time[32];
      std::snprintf(time, sizeof time, "%.2d-12-2026,%.2d:%.2d:%.2d", 7 + t / 86400, t / 3600 % 24,
                    t / 60 % 60, t % 60);
      s.Emplace(60.0 + 15.0 * std::sin(i / 6.0), time, "dBA", 0, c.nSeconds);
    }
    const std::string book = dir.File("run.xlsx");
    ASSERT_TRUE(WriteWorkbookFile(book, s, StatData{}).Ok());
    const std::string out = dir.Path().string();
    const std::string convert = "soffice -env:UserInstallation=file://" + out +
                                "/profile --headless --convert-to pdf --outdir " + out + " " + book +
                                " >/dev/null 2>&1";
    ASSERT_EQ(std::system(convert.c_str()), 0)
        << "LibreOffice Calc (libreoffice-calc-nogui) renders the workbook";
    ASSERT_EQ(std::system(("pdftoppm -r 60 " + out + "/run.pdf " + out + "/page").c_str()), 0);
    // The chart sheet is the page with the curve on it.
    Span best;
    for (const auto &entry : std::filesystem::directory_iterator(dir.Path())) {
      if (entry.path().extension() != ".ppm")
        continue;
      const Span sp = Measure(ReadPpm(entry.path().string()));
      if (sp.nCurveRight - sp.nCurveLeft > best.nCurveRight - best.nCurveLeft)
        best = sp;
    }
    ASSERT_GT(best.nPlotWidth, 200);
    EXPECT_GE(best.nCurveRight - best.nCurveLeft, best.nPlotWidth * 8 / 10)
        << "curve " << best.nCurveLeft << ".." << best.nCurveRight << " in a plot " << best.nPlotWidth
        << " wide";
  }
}

// The time axis reads as a clock within a day and with its date beyond.
TEST(WorkbookChart, TimeAxisFormatFollowsTheSpan) {
  EXPECT_STREQ(ChartTimeFormat(0.0), "hh:mm:ss");
  EXPECT_STREQ(ChartTimeFormat(0.99), "hh:mm:ss");
  EXPECT_STREQ(ChartTimeFormat(1.0), "dd-mm-yyyy hh:mm");
}

} // namespace
