#include "forms/DataLogLayout.h"

#include "forms/ControlIds.h"
#include "forms/DataLogTemplate.h"

#include <algorithm>
#include <vector>

namespace datalog {

namespace {
// The blocks' boxes as the template draws them.
constexpr DlgRect kStats{226, 16, 160, 64};
constexpr DlgRect kCounts{390, 26, 130, 57};
constexpr DlgRect kHover{540, 22, 104, 55};
constexpr DlgRect kNoise{662, 7, 92, 110};
constexpr DlgRect kGraph{226, 83, 406, 202};
constexpr DlgRect kCursorsLeft{250, 304, 203, 43};
constexpr DlgRect kCursorsRight{441, 304, 171, 43};
constexpr int kMargin = 7;     // around the list and the frame
constexpr int kInset = 11;     // frame edge to its content, left and right
constexpr int kGraphSide = 15; // vertical scroll bar beside the graph
constexpr int kGraphFoot = 19; // horizontal scroll bar under the graph, with its gaps
constexpr int kGap = 8;
// The "Ruído" box under the graph: its six figures in two rows of three.
constexpr int kFigureWidth = 82;
constexpr DlgRect kNoiseCompact{0, 0, 3 * kFigureWidth + 4, 46};

bool IsNoiseFigure(const DlgControl &c) {
  return BlockOf(c) == EBlock::Noise && c.kind != CtlKind::GroupBox;
}
} // namespace

EBlock BlockOf(const DlgControl &c) {
  if (c.id == IDC_LIST)
    return EBlock::List;
  if (c.kind == CtlKind::GroupBox && c.x == 215)
    return EBlock::Frame;
  if (c.id == IDC_GRAPH || c.id == IDC_VSCROLL || c.id == IDC_HSCROLL ||
      (c.id >= IDC_LEVEL_LABEL_FIRST && c.id <= IDC_LEVEL_LABEL_FIRST + 10))
    return EBlock::Graph;
  if (c.x >= kNoise.x)
    return EBlock::Noise;
  if (c.y < kGraph.y)
    return c.x < kCounts.x ? EBlock::Stats : c.x < kHover.x ? EBlock::Counts : EBlock::Hover;
  if ((c.x >= kCursorsRight.x && c.y < 318) || c.x >= 455)
    return EBlock::CursorsRight;
  return EBlock::CursorsLeft;
}

DataLogArrangement ArrangeDataLog(int nWidth, int nListWidth) {
  const DlgTemplate &t = DataLogTemplate();
  DataLogArrangement a;
  a.cy = t.cy;
  a.list = {kMargin, kMargin, nListWidth, t.cy - 2 * kMargin};
  const int nContentLeft = a.list.Right() + 2 + kInset;
  const int nFullContent = kGraph.cx + kGraphSide;
  const int dx = nContentLeft - kGraph.x;
  auto shifted = [dx](DlgRect r) { return DlgRect{r.x + dx, r.y, r.cx, r.cy}; };

  // The template's own layout, the list narrowed, where it fits.
  const int nWide = nContentLeft + nFullContent + kInset + 4 + kNoise.cx + 6;
  if (nWidth >= nWide) {
    a.cx = nWide;
    a.frame = {nContentLeft - kInset, kMargin, nFullContent + 2 * kInset, 349};
    a.graph = shifted(kGraph);
    for (auto [b, r] : {std::pair{EBlock::Stats, kStats},
                        {EBlock::Counts, kCounts},
                        {EBlock::Hover, kHover},
                        {EBlock::CursorsLeft, kCursorsLeft},
                        {EBlock::CursorsRight, kCursorsRight}})
      a.blocks[b] = shifted(r);
    a.blocks[EBlock::Noise] = {a.frame.Right() + 4, kNoise.y, kNoise.cx, kNoise.cy};
    return a;
  }

  // Narrower: the frame takes what is left; what does not fit beside the
  // graph goes under it, in rows, and the graph gets lower.
  a.bNoiseBeside = false;
  const int nTopRow = kCounts.Right() - kStats.x;
  const int nContent = std::clamp(nWidth - 6 - kInset - nContentLeft, nTopRow, nFullContent);
  a.cx = nContentLeft + nContent + kInset + 6;
  a.frame = {nContentLeft - kInset, kMargin, nContent + 2 * kInset, 349};
  a.blocks[EBlock::Stats] = shifted(kStats);
  a.blocks[EBlock::Counts] = shifted(kCounts);
  std::vector<std::pair<EBlock, DlgRect>> under = {{EBlock::CursorsLeft, kCursorsLeft},
                                                   {EBlock::CursorsRight, kCursorsRight}};
  if (kHover.Right() - kStats.x <= nContent)
    a.blocks[EBlock::Hover] = shifted(kHover);
  else
    under.push_back({EBlock::Hover, kHover});
  under.push_back({EBlock::Noise, kNoiseCompact});

  // Rows from the left of the content, each as high as its highest block;
  // the last one ends where the template's last row ends.
  const int nLeft = nContentLeft + kCursorsLeft.x - kGraph.x;
  const int nRight = nContentLeft + nContent;
  std::vector<std::pair<EBlock, DlgRect>> placed;
  int x = nLeft, y = 0, nRowHeight = 0;
  for (auto [b, r] : under) {
    if (x > nLeft && x + r.cx > nRight) {
      x = nLeft;
      y += nRowHeight + 4;
      nRowHeight = 0;
    }
    placed.push_back({b, {x, y, r.cx, r.cy}});
    x += r.cx + kGap;
    nRowHeight = std::max(nRowHeight, r.cy);
  }
  const int nTop = kCursorsLeft.Bottom() - (y + nRowHeight);
  for (auto &[b, r] : placed)
    a.blocks[b] = {r.x, r.y + nTop, r.cx, r.cy};
  a.graph = {nContentLeft, kGraph.y, nContent - kGraphSide, nTop - kGraphFoot - kGraph.y};
  return a;
}

DlgRect PlaceControl(const DataLogArrangement &a, const DlgControl &c) {
  const EBlock b = BlockOf(c);
  switch (b) {
  case EBlock::List:
    return a.list;
  case EBlock::Frame:
    return a.frame;
  case EBlock::Graph: {
    const DlgRect &g = a.graph;
    if (c.id == IDC_GRAPH)
      return g;
    if (c.id == IDC_VSCROLL)
      return {g.Right() + 3, g.y + 2, c.cx, g.cy - 2};
    if (c.id == IDC_HSCROLL)
      return {g.x + 2, g.Bottom() + 2, g.cx - 7, c.cy};
    return {c.x + g.x - kGraph.x, c.y, c.cx, c.cy}; // the hidden level labels
  }
  default:
    break;
  }
  if (b == EBlock::Noise && !a.bNoiseBeside) {
    const DlgRect &box = a.blocks.at(b);
    if (!IsNoiseFigure(c))
      return box;
    // Figure k (label and edit, 15 units apart in the template) in row k / 3, column k % 3.
    const int k = (c.y - 22) / 15;
    const int nX = box.x + 2 + (k % 3) * kFigureWidth + (c.x - 666);
    return {nX, box.y + 12 + (k / 3) * 16 + (c.y - 22) % 15, c.cx, c.cy};
  }
  const DlgRect origin = b == EBlock::Stats         ? kStats
                         : b == EBlock::Counts      ? kCounts
                         : b == EBlock::Hover       ? kHover
                         : b == EBlock::Noise       ? kNoise
                         : b == EBlock::CursorsLeft ? kCursorsLeft
                                                    : kCursorsRight;
  const DlgRect &to = a.blocks.at(b);
  return {c.x - origin.x + to.x, c.y - origin.y + to.y, c.cx, c.cy};
}

} // namespace datalog
