#pragma once

#include "graph/GraphState.h"

#include <cstddef>
#include <vector>

// What a mouse event makes the control do, in order: redraw, or tell the
// host (scale, cursor or hover notification with its two parameters).
struct GraphEvent {
  enum Kind { Redraw, Scale, Cursor, Hover };
  Kind kind = Redraw;
  int a = 0;
  int b = 0;
  friend bool operator==(const GraphEvent &, const GraphEvent &) = default;
};
using GraphEvents = std::vector<GraphEvent>;

// Cursor notification's first parameter.
constexpr int kNoticeCursorA = -1;
constexpr int kNoticeCursorB = -2;
// Hover notification's first parameter.
constexpr int kNoticeHover = -2;

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
