#pragma once

#include <cstddef>
#include <span>

// The levels at the given ranks of `levels` sorted from highest to lowest,
// without sorting or changing them. `ranks` (a few) ascend and are each below the
// number of levels; `out` receives one level per rank. A level that is not
// a number ranks below every other.
//
// Long series are bucketed by value first, so only the few levels in the
// buckets that hold the ranks are selected among: O(N) with a small
// constant, against three full selections over a copy.
void SelectDescendingRanks(std::span<const double> levels, std::span<const std::size_t> ranks,
                           std::span<double> out);
