#pragma once

#include <cstdint>

// A colour as the settings file and the drawing code keep it: red in the
// lowest byte, then green, then blue, the top byte zero.
using GraphColor = std::uint32_t;

constexpr GraphColor MakeGraphColor(int r, int g, int b) {
  return static_cast<GraphColor>(r & 255) | static_cast<GraphColor>(g & 255) << 8 |
         static_cast<GraphColor>(b & 255) << 16;
}
constexpr int RedOf(GraphColor c) {
  return static_cast<int>(c & 255);
}
constexpr int GreenOf(GraphColor c) {
  return static_cast<int>((c >> 8) & 255);
}
constexpr int BlueOf(GraphColor c) {
  return static_cast<int>((c >> 16) & 255);
}

struct GraphPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const GraphPoint &, const GraphPoint &) = default;
};

// Pixel layout of the control: the plot starts 45 pixels from the left and
// 10 from the top; the control is 90 pixels wider and 30 higher than the plot.
constexpr int kPlotLeft = 45;
constexpr int kPlotTop = 10;
constexpr int kMarginWidth = 90;
constexpr int kMarginHeight = 30;

// Colours used until the settings file says otherwise.
constexpr GraphColor kDefaultBkColor = MakeGraphColor(0, 100, 100);
constexpr GraphColor kDefaultGridColor = MakeGraphColor(255, 0, 255);
constexpr GraphColor kDefaultLineColor = MakeGraphColor(0, 0, 255);

constexpr GraphColor kFrameColor = MakeGraphColor(170, 175, 195);
constexpr GraphColor kLevelAxisColor = MakeGraphColor(100, 0, 100);
constexpr GraphColor kCursorAColor = MakeGraphColor(110, 30, 200);
constexpr GraphColor kCursorBColor = MakeGraphColor(0, 255, 0);

// Cursor placement: the next click places A, then B.
constexpr int kCursorIdle = 0;
constexpr int kCursorPlaceB = 1;
constexpr int kCursorPlaceA = 2;

// The scale, zoom and cursor state of one graph. Both hosts read and write
// the scale members; printing maps the same state onto a page.
struct CGraphState {
  double m_xScale = 0;  // samples per pixel
  double m_yScale = 0;  // dB per pixel
  double m_xSpan = 20;  // end of the nominal sample range
  double m_yTop = 130;  // top of the nominal level range
  double m_xMin = 0;    // start of the nominal sample range
  double m_yMin = 0;    // bottom of the nominal level range
  int m_plotWidth = 0;  // control width - 90
  int m_plotHeight = 0; // control height - 30
  double m_xOffset = 0; // sample index at the plot's left edge
  double m_yOffset = 0; // level at the plot's bottom edge
  GraphColor m_bkColor = kDefaultBkColor;
  GraphColor m_gridColor = kDefaultGridColor;
  GraphColor m_lineColor = kDefaultLineColor;
  int m_cursorMode = kCursorIdle;
  int m_cursorA = -1;
  int m_cursorB = -1;
  bool m_showBox = false;
  bool m_dragging = false;
  bool m_scaleSent = false;
  GraphPoint m_boxStart;
  GraphPoint m_boxEnd;
  GraphPoint m_hoverPoint;
  bool m_live = false;   // a monitoring run is adding samples
  double m_zoomed = 0.0; // 1.0 after a box zoom, 0.0 after ResetScale
};
