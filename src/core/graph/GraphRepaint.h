#pragma once

#include "graph/GraphState.h"
#include "graph/TimeLabels.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A rectangle of the control in pixels.
struct GraphRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool Empty() const { return width <= 0 || height <= 0; }
  friend bool operator==(const GraphRect &, const GraphRect &) = default;
};

// Columns [xFrom, xTo) of the control whose curve pixels a draw changed.
struct GraphColumns {
  int xFrom = 0;
  int xTo = 0;
  friend bool operator==(const GraphColumns &, const GraphColumns &) = default;
};

// Everything a drawing of the control shows but the curve: size, scales,
// colours, cursors, zoom box, hover line, time labels and assessment marks.
// Two drawings with equal views differ in the curve's pixels only.
struct GraphView {
  int nWidth = 0, nHeight = 0;
  int plotWidth = 0, plotHeight = 0;
  double xScale = 0, yScale = 0, xMin = 0, yMin = 0, xOffset = 0, yOffset = 0;
  GraphColor bk = 0, grid = 0, line = 0;
  int cursorMode = kCursorIdle, cursorA = -1, cursorB = -1;
  bool showBox = false;
  GraphPoint boxStart, boxEnd, hoverPoint;
  std::vector<std::string> labels;
  int nLabelsFailedAt = -1;
  std::optional<double> threshold;
  std::vector<std::pair<std::size_t, std::size_t>> events;
  friend bool operator==(const GraphView &, const GraphView &) = default;
};

// The view of a control of the given size drawn from `s` with these labels; marks are added by the caller.
GraphView ViewOf(const CGraphState &s, int nWidth, int nHeight, const TimeAxisLabels &labels);

// What a drawing showing `after` must paint again over the one that showed
// `before` (null when nothing was drawn yet): the whole control when the
// view changed, else the plot's rows in the columns where the curve changed,
// which is empty when it did not.
GraphRect RepaintRect(const GraphView *before, const GraphView &after, GraphColumns curve);
