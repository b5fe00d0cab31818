#pragma once

#include "graph/GraphState.h"

// Contrast between two colours as screens are judged for legibility: the
// ratio of their relative luminances, each plus 0.05 (1 to 21).
double ContrastRatio(GraphColor a, GraphColor b);

// The outline drawn around a cursor line, black or white, whichever stands
// out more from the plot background `bk` (always at least 4.5:1), so each
// cursor keeps its own colour and still shows on any background.
GraphColor CursorOutlineColor(GraphColor bk);
