#pragma once

#include "lang/TrText.h"

#include <array>

// Where the six remote keys lie over the meter picture, and which key index
// each sends. The pressed position is one pixel off the drawn one so the key
// looks pushed in.
struct MeterKeyPlace {
  int nId;             // control id on the form
  const char *pszText; // caption in the form, also the accessible name (context "MeterKeys")
  int cx, cy;
  int xDrawn, yDrawn;
  int xPressed, yPressed;
  int nKeyIndex; // 0 Stop, 1 REC, 2 MaxMin, 3 FastSlow, 4 Level, 5 AC
};

inline constexpr std::array<MeterKeyPlace, 6> kMeterKeys = {{
    {1049, TARVIK_TR_NOOP("MeterKeys", "Stop"), 35, 25, 91, 524, 91, 525, 0},
    {1054, TARVIK_TR_NOOP("MeterKeys", "REC"), 55, 31, 82, 335, 82, 334, 1},
    {1051, TARVIK_TR_NOOP("MeterKeys", "MaxMin"), 50, 30, 114, 283, 114, 282, 2},
    {1050, TARVIK_TR_NOOP("MeterKeys", "FastSlow"), 28, 30, 152, 388, 152, 389, 3},
    {1053, TARVIK_TR_NOOP("MeterKeys", "Level"), 25, 45, 117, 374, 117, 375, 4},
    {1052, TARVIK_TR_NOOP("MeterKeys", "AC"), 30, 35, 154, 337, 154, 338, 5},
}};

// The place of the key with the given index, or null.
inline const MeterKeyPlace *MeterKeyByIndex(int nKeyIndex) {
  for (const auto &k : kMeterKeys)
    if (k.nKeyIndex == nKeyIndex)
      return &k;
  return nullptr;
}
