#pragma once

#include "graph/GraphState.h"
#include "graph/TimeLabels.h"
#include "lang/Translate.h"
#include "print/PageImage.h"
#include "records/SampleArray.h"
#include "records/StatData.h"

#include <functional>
#include <string>
#include <vector>

// Frame of the graph page in printer device pixels: the plot's top-left
// corner (ox, oy), the line unit F, the character unit o, the font's line
// height L, and r and v, screen pixels per printer pixel across and down.
// The plot runs from oy to H/2 and keeps margins of 8 x H/130 left and right.
struct GraphPageGeometry {
  int W = 0, H = 0, F = 0, o = 0, L = 0;
  int ox = 0, oy = 0;
  double r = 0, v = 0;
  int nCurvePen = 1; // the curve's pen in device pixels (PenPixels)
};

// Device pixels of a pen `dMillimetres` wide on paper at `nDpi`, at least 1.
int PenPixels(double dMillimetres, int nDpi);
// The thinnest curve that still prints as a clear line.
inline constexpr double kCurvePenMm = 0.35;

// False when the graph has no plot yet or the page is too small for one.
bool MakeGraphPageGeometry(int W, int H, int lineHeight, const CGraphState &s, GraphPageGeometry &g);

// Where a point that the screen places at (px, py) from the plot's corner lands.
int PageX(const GraphPageGeometry &g, double px);
int PageY(const GraphPageGeometry &g, double py);

using TextWidthFn = std::function<int(const std::string &)>;

// One line of the statistics block under the graph: its label at the plot's
// left edge, then values each at a position in character units (o) from
// there. A value moves right, never left, so that it starts at least one
// character unit after the end of the text before it in the printer font.
struct StatLine {
  std::string strLabel;
  struct Cell {
    int nChars;
    std::string strText;
  };
  std::vector<Cell> cells;
};

// The block as the page has always printed it: start time, maximum and
// minimum with their times, sample rate, average.
std::vector<StatLine> GraphStatLines(const StatData &st, FTranslate tr = SourceText);

// Lines `lines` from line `nFirst` of the block down (y = H/2 + oy + n × L).
void LayoutStatLines(PageImage &page, const GraphPageGeometry &g, const std::vector<StatLine> &lines,
                     const TextWidthFn &textWidth, int nFirst = 0);

// The graph page: the curve as on screen at the same zoom and scroll, the
// level and time axes with their labels, the title with the print time and
// the statistics block, its labels through `tr`. `labels` must be complete (not Failed()).
PageImage LayoutGraphPage(const GraphPageGeometry &g, const CGraphState &s, const CSampleArray &samples,
                          const StatData &stat, const TimeAxisLabels &labels, const PrintTime &now,
                          const TextWidthFn &textWidth, FTranslate tr = SourceText);

// "Czas: %d-%d-%d  %d:%d:%d" (year first, nothing padded).
std::string FormatGraphDateLine(const PrintTime &t, FTranslate tr = SourceText);
