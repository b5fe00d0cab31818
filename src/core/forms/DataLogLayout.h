#pragma once

#include "forms/DialogTemplate.h"

#include <map>

// How the data logger window's blocks sit for a given width, in dialog
// units: as in its template where the width allows, otherwise with the
// blocks that do not fit beside the graph moved under it and the graph
// narrower and lower. The controls keep their ids, texts and their places
// within their block.
namespace datalog {

struct DlgRect {
  int x = 0, y = 0, cx = 0, cy = 0;
  int Right() const { return x + cx; }
  int Bottom() const { return y + cy; }
  bool operator==(const DlgRect &) const = default;
};

enum class EBlock { List, Frame, Stats, Counts, Hover, Noise, Graph, CursorsLeft, CursorsRight };

// The block a control of the data logger template belongs to.
EBlock BlockOf(const DlgControl &c);

struct DataLogArrangement {
  int cx = 0, cy = 0; // the whole body
  DlgRect list, frame, graph;
  std::map<EBlock, DlgRect> blocks; // where each block's box now starts
  bool bNoiseBeside = true;         // the "Ruído" box right of the frame, as drawn in the template
};

// The arrangement for a body at most `nWidth` wide with the list `nListWidth`
// wide; it is wider than `nWidth` only where nothing narrower holds the blocks.
DataLogArrangement ArrangeDataLog(int nWidth, int nListWidth);

// Where control `c` of the template goes under `a`.
DlgRect PlaceControl(const DataLogArrangement &a, const DlgControl &c);

} // namespace datalog
