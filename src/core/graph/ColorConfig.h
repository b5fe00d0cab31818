#pragma once

#include "graph/GraphState.h"

#include <string>

// The three graph colours kept in ColorConfig.ini.
struct GraphColors {
  GraphColor bk = kDefaultBkColor;     // plot background
  GraphColor grid = kDefaultGridColor; // grid lines
  GraphColor line = kDefaultLineColor; // curve and markers
  friend bool operator==(const GraphColors &, const GraphColors &) = default;
};

inline constexpr const char *kColorConfigName = "ColorConfig.ini";
inline constexpr const char *kBkSection = "Vomo_BKCOLOR";
inline constexpr const char *kGridSection = "Vomo_GRIDCOLOR";
inline constexpr const char *kLineSection = "Vomo_LINECOLOR";
inline constexpr const char *kRedKey = "RVALUE";
inline constexpr const char *kGreenKey = "GVALUE";
inline constexpr const char *kBlueKey = "BVALUE";

// Each key on its own: a missing file, section or key gives that key's
// default, and only the low 8 bits of a stored number count (300 is 44).
GraphColors ReadColorConfig(const std::string &strPath);

struct ConfigWriteResult {
  bool bOk = true;
  std::string strError;
};
// Writes the nine keys, background, grid, then curve, red-green-blue in
// each, keeping whatever else the file holds.
ConfigWriteResult WriteColorConfig(const std::string &strPath, const GraphColors &colors);
