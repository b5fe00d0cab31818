#pragma once

#include "forms/DialogTemplate.h"

// 160: the graph colour dialog.
const DlgTemplate &ColorSetTemplate();

constexpr int IDC_SWATCH_GRID = 1065;
constexpr int IDC_SWATCH_LINE = 1066;
constexpr int IDC_SWATCH_BK = 1067;
constexpr int IDC_CHOOSE_GRID = 1068;
constexpr int IDC_CHOOSE_LINE = 1069;
constexpr int IDC_CHOOSE_BK = 1070;
