#pragma once

#include "forms/CommandIds.h"
#include "forms/ControlIds.h"
#include "forms/DialogTemplate.h"

// Dialog template 145, the data logger window "DATALOGGER", with the ids of
// its controls. The cursor and hover read-outs share their ids with the
// monitoring view so one graph host serves both windows.
namespace datalog {
constexpr int IDD_DATALOG = 145;

constexpr int IDC_RESET_ZOOM = GraphIds::kResetZoom;
constexpr int IDC_START_TIME = StatIds::kStartTime;
constexpr int IDC_MAX = StatIds::kMax;
constexpr int IDC_MAX_TIME = StatIds::kMaxTime;
constexpr int IDC_CURSOR_A = GraphIds::kLevelA;
constexpr int IDC_AVERAGE = StatIds::kAverage;
constexpr int IDC_MIN_TIME = StatIds::kMinTime;
constexpr int IDC_RATE = StatIds::kRate;
constexpr int IDC_MIN = StatIds::kMin;
constexpr int IDC_COUNT = StatIds::kCount;
constexpr int IDC_GRAPH = FormIds::kGraph;
constexpr int IDC_CURSOR_A_TIME = GraphIds::kTimeA;
constexpr int IDC_LEVEL_LABEL_FIRST = GraphIds::kLevelLabel0; // 1012..1022, hidden
constexpr int IDC_CURSOR_B = GraphIds::kLevelB;
constexpr int IDC_CURSOR_B_TIME = GraphIds::kTimeB;
constexpr int IDC_AB_MAX = GraphIds::kMax;
constexpr int IDC_AB_MAX_TIME = GraphIds::kMaxTime;
constexpr int IDC_AB_MIN = GraphIds::kMin;
constexpr int IDC_AB_MIN_TIME = GraphIds::kMinTime;
constexpr int IDC_AB_AVERAGE = GraphIds::kAverage;
constexpr int IDC_CURSOR_A_LABEL = FormIds::kCursorALabel;
constexpr int IDC_CURSOR_B_LABEL = FormIds::kCursorBLabel;
constexpr int IDC_AB_COUNT = GraphIds::kCount;
constexpr int IDC_HOVER_LEVEL = GraphIds::kHoverLevel;
constexpr int IDC_HOVER_TIME = GraphIds::kHoverTime;
constexpr int IDC_LIST = 1035;
constexpr int IDC_HSCROLL = GraphIds::kHScroll;
constexpr int IDC_VSCROLL = GraphIds::kVScroll;

// String table entries of the list heads.
constexpr const char *IDS_DATE_TIME = "Data, czas"; // 101
constexpr const char *IDS_UNIT = "Jednostka";       // 102

const DlgTemplate &DataLogTemplate();
} // namespace datalog
