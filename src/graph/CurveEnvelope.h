#pragma once

#include "graph/CurvePoints.h"
#include "graph/GraphState.h"
#include "records/LevelPyramid.h"

#include <cstddef>
#include <span>

// A stretch of the drawn samples that lies in one store: samples
// nFirst .. nFirst + nCount - 1 of the drawn array are the store's levels
// from nStoreFirst on, with the store's pyramid beside them.
struct LevelStretch {
  std::size_t nFirst = 0;
  std::size_t nCount = 0;
  std::size_t nStoreFirst = 0;
  std::span<const double> levels; // all of the store's levels
  const CLevelPyramid *pPyramid = nullptr;
};

// The curve's point for sample i, as the screen plots it.
GraphPoint CurvePoint(const CGraphState &s, std::size_t i, double dLevel);

// Adds the points of drawn samples [first, last) to `curve`, the same
// points as adding each sample's point one by one. A pixel column holding
// many samples costs a few pyramid look-ups instead of a walk over them,
// so the work follows the plot's width, not the number of samples.
void AddCurvePoints(const CGraphState &s, std::span<const LevelStretch> stretches, std::size_t first,
                    std::size_t last, CCurvePoints &curve);
