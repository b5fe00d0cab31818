#pragma once

#include "graph/CurvePoints.h"
#include "graph/GraphState.h"
#include "records/LevelPyramid.h"
#include "records/SampleArray.h"

#include <cstddef>
#include <span>

// The curve's point for sample i, as the screen plots it.
GraphPoint CurvePoint(const CGraphState &s, std::size_t i, double dLevel);

// Adds the points of drawn samples [first, last) to `curve`, the same
// points as adding each sample's point one by one. A pixel column holding
// many samples costs a few pyramid look-ups instead of a walk over them,
// so the work follows the plot's width, not the number of samples.
void AddCurvePoints(const CGraphState &s, std::span<const LevelStretch> stretches, std::size_t first,
                    std::size_t last, CCurvePoints &curve);
