#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What one printed page shows, in printer device pixels (origin top left, y
// downwards), as an ordered list of drawing steps. The layouts are decided
// here without a printer; the UI only replays the steps on a painter.
struct PageOp {
  enum class Kind { Text, Line, Ellipse, Fill, Clip };
  Kind kind = Kind::Text;
  int x1 = 0, y1 = 0;           // text: top-left corner; fill: top-left corner
  int x2 = 0, y2 = 0;           // line: end point; ellipse: opposite box corner; fill, clip: width, height
  std::string text;             // UTF-8
  std::uint32_t rgb = 0x000000; // 0xRRGGBB
  int penWidth = 1;             // 0: the painter's default pen
};

struct PageImage {
  std::vector<PageOp> ops;

  void Text(int x, int y, std::string s) { ops.push_back({PageOp::Kind::Text, x, y, 0, 0, std::move(s)}); }
  void Line(int x1, int y1, int x2, int y2, std::uint32_t rgb = 0, int width = 0) {
    ops.push_back({PageOp::Kind::Line, x1, y1, x2, y2, {}, rgb, width});
  }
  void Ellipse(int x1, int y1, int x2, int y2, std::uint32_t rgb, int width) {
    ops.push_back({PageOp::Kind::Ellipse, x1, y1, x2, y2, {}, rgb, width});
  }
  void Fill(int x, int y, int w, int h, std::uint32_t rgb) {
    ops.push_back({PageOp::Kind::Fill, x, y, w, h, {}, rgb, 0});
  }
  // Later steps draw only inside this rectangle; a zero size lifts the limit.
  void Clip(int x, int y, int w, int h) { ops.push_back({PageOp::Kind::Clip, x, y, w, h}); }
  void NoClip() { Clip(0, 0, 0, 0); }
};

// The current local date and time as the pages write it.
struct PrintTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
