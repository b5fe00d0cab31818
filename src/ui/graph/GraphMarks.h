#pragma once

#include <QImage>
#include <QRect>

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

struct CGraphState;

// What an assessment adds to a graph: the threshold as a line across the
// plot and each event as a shaded band over its samples.
struct GraphMarks {
  std::optional<double> dThreshold;
  std::vector<std::pair<std::size_t, std::size_t>> events; // first and last sample
  bool Empty() const { return !dThreshold && events.empty(); }
};

inline constexpr QRgb kEventShade = qRgba(255, 80, 0, 70);
inline constexpr QRgb kThresholdColor = qRgb(220, 0, 0);

// Draws the marks on the plot of `image` (its top-left at the plot's origin
// plus (ox, oy)), clipped to the plot and to `clip` when it is given.
void PaintGraphMarks(QImage &image, const CGraphState &s, const GraphMarks &marks, int ox = 0, int oy = 0,
                     const QRect &clip = {});
