#include "graph/ColorContrast.h"

#include <algorithm>
#include <cmath>

namespace {
double Luminance(GraphColor c) {
  auto channel = [](GraphColor v) {
    const double s = static_cast<double>(v & 255u) / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c) + 0.7152 * channel(c >> 8) + 0.0722 * channel(c >> 16); // red in the low byte
}
} // namespace

double ContrastRatio(GraphColor a, GraphColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

GraphColor CursorOutlineColor(GraphColor bk) {
  const GraphColor black = MakeGraphColor(0, 0, 0), white = MakeGraphColor(255, 255, 255);
  return ContrastRatio(bk, black) >= ContrastRatio(bk, white) ? black : white;
}
