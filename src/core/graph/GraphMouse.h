#pragma once

#include "graph/GraphState.h"

#include <cstddef>
#include <vector>

// The graph's two cursors.
enum class ECursor { A, B };

// What a mouse event makes the control do, in order: redraw, or tell the
// host (the scale changed, a cursor was placed on a sample, the mouse is
// over a sample).
struct GraphEvent {
  enum Kind { Redraw, Scale, Cursor, Hover };
  Kind kind = Redraw;
  ECursor cursor = ECursor::A; // Cursor: which one
  int nIndex = 0;              // Cursor and Hover: the sample
  friend bool operator==(const GraphEvent &, const GraphEvent &) = default;
};
using GraphEvents = std::vector<GraphEvent>;

// The deepest zoom on either axis, in samples or dB per pixel.
constexpr double kZoomFloor = 0.005;
// A zoom box must be wider and higher than this.
constexpr int kZoomMinBox = 5;

// Each handler takes the point in control coordinates and the number of
// samples drawn, updates the state and returns what to do.
GraphEvents OnLButtonDblClk(CGraphState &s, GraphPoint p);
GraphEvents OnLButtonDown(CGraphState &s, GraphPoint p, std::size_t nCount);
GraphEvents OnMouseMove(CGraphState &s, GraphPoint p, std::size_t nCount);
GraphEvents OnLButtonUp(CGraphState &s, GraphPoint p);
GraphEvents OnRButtonUp(CGraphState &s);
