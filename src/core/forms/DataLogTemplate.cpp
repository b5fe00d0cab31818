#include "forms/DataLogTemplate.h"

namespace datalog {

namespace {
DlgTemplate Make() {
  DlgTemplate t;
  t.id = IDD_DATALOG;
  t.context = "DataLogger";
  t.caption = TARVIK_TR_NOOP("DataLogger", "DATALOGGER");
  t.cx = 760; // the noise figures right of the graph's frame
  t.cy = 373;
  using K = CtlKind;
  t.controls = {
      {IDC_LIST, K::ListView, "", 7, 7, 206, 359, false, TARVIK_TR_NOOP("DataLogger", "Registos")},
      {-1, K::GroupBox, TARVIK_TR_NOOP("DataLogger", "Gráfico em tempo real"), 215, 7, 443, 349},
      {IDC_RESET_ZOOM, K::Button, TARVIK_TR_NOOP("DataLogger", "Anular Zoom"), 226, 16, 51, 20},
      // Statistics of the selected recording, each edit after its label.
      {-1, K::StaticRight, TARVIK_TR_NOOP("DataLogger", "Hora de início"), 238, 39, 60, 8},
      {IDC_START_TIME, K::Edit, "", 301, 37, 83, 13, false, TARVIK_TR_NOOP("DataLogger", "Hora de início")},
      {-1, K::StaticRight, TARVIK_TR_NOOP("DataLogger", "MIN"), 228, 54, 20, 8},
      {IDC_MIN, K::Edit, "", 251, 52, 39, 13, false, TARVIK_TR_NOOP("DataLogger", "MIN")},
      {-1, K::StaticCenter, "@", 291, 54, 9, 8},
      {IDC_MIN_TIME, K::Edit, "", 301, 52, 83, 13, false, TARVIK_TR_NOOP("DataLogger", "MIN @")},
      {-1, K::StaticRight, TARVIK_TR_NOOP("DataLogger", "MAX"), 228, 69, 20, 8},
      {IDC_MAX, K::Edit, "", 251, 67, 39, 13, false, TARVIK_TR_NOOP("DataLogger", "MAX")},
      {-1, K::StaticCenter, "@", 291, 69, 9, 8},
      {IDC_MAX_TIME, K::Edit, "", 301, 67, 84, 13, false, TARVIK_TR_NOOP("DataLogger", "MAX @")},
      {-1, K::StaticRight, TARVIK_TR_NOOP("DataLogger", "Num. Amostras"), 400, 28, 63, 8},
      {IDC_COUNT, K::Edit, "", 466, 26, 37, 13, false, TARVIK_TR_NOOP("DataLogger", "Num. Amostras")},
      {-1, K::StaticRight, TARVIK_TR_NOOP("DataLogger", "Taxa de amostragem"), 390, 51, 73, 8},
      {IDC_RATE, K::ComboDropList, "", 465, 49, 38, 85, false,
       TARVIK_TR_NOOP("DataLogger", "Taxa de amostragem")},
      {-1, K::Static, TARVIK_TR_NOOP("DataLogger", "Segundo"), 506, 51, 30, 8},
      {-1, K::StaticRight, TARVIK_TR_NOOP("DataLogger", "Média"), 430, 70, 33, 8},
      {IDC_AVERAGE, K::Edit, "", 465, 68, 39, 13, false, TARVIK_TR_NOOP("DataLogger", "Média")},
      {-1, K::Static, "dB", 507, 70, 12, 8},
      // The level and time under the mouse.
      {-1, K::GroupBox, TARVIK_TR_NOOP("DataLogger", "Indicação"), 540, 22, 104, 55},
      {-1, K::Static, TARVIK_TR_NOOP("DataLogger", "Valor:"), 545, 37, 22, 8},
      {IDC_HOVER_LEVEL, K::Static, "", 568, 37, 74, 8, false, TARVIK_TR_NOOP("DataLogger", "Valor:")},
      {-1, K::Static, TARVIK_TR_NOOP("DataLogger", "Hora:"), 545, 56, 22, 8},
      {IDC_HOVER_TIME, K::Static, "", 569, 56, 73, 8, false, TARVIK_TR_NOOP("DataLogger", "Hora:")},
      {IDC_GRAPH, K::Custom, "", 226, 83, 406, 202, false,
       TARVIK_TR_NOOP("DataLogger", "Gráfico em tempo real")},
      {IDC_VSCROLL, K::ScrollBarV, "", 635, 85, 12, 200, false,
       TARVIK_TR_NOOP("DataLogger", "Deslocar o nível")},
      {IDC_HSCROLL, K::ScrollBarH, "", 228, 287, 399, 11, false,
       TARVIK_TR_NOOP("DataLogger", "Deslocar as amostras")},
      // The measuring cursors and the statistics between them.
      {IDC_CURSOR_A_LABEL, K::Static, TARVIK_TR_NOOP("DataLogger", "Cursor A"), 255, 307, 29, 8},
      {IDC_CURSOR_A, K::Edit, "", 289, 304, 39, 13, false, TARVIK_TR_NOOP("DataLogger", "Cursor A")},
      {-1, K::StaticCenter, "@", 331, 307, 9, 8},
      {IDC_CURSOR_A_TIME, K::Edit, "", 341, 304, 89, 13, false, TARVIK_TR_NOOP("DataLogger", "Cursor A @")},
      {IDC_CURSOR_B_LABEL, K::Static, TARVIK_TR_NOOP("DataLogger", "Cursor B"), 441, 307, 29, 8},
      {IDC_CURSOR_B, K::Edit, "", 473, 304, 39, 13, false, TARVIK_TR_NOOP("DataLogger", "Cursor B")},
      {-1, K::StaticCenter, "@", 514, 307, 9, 8},
      {IDC_CURSOR_B_TIME, K::Edit, "", 525, 304, 86, 13, false, TARVIK_TR_NOOP("DataLogger", "Cursor B @")},
      {-1, K::StaticRight, TARVIK_TR_NOOP("DataLogger", "MAX entre A e B"), 250, 322, 62, 8},
      {IDC_AB_MAX, K::Edit, "", 315, 320, 39, 13, false, TARVIK_TR_NOOP("DataLogger", "MAX entre A e B")},
      {-1, K::StaticCenter, "@", 356, 322, 9, 8},
      {IDC_AB_MAX_TIME, K::Edit, "", 367, 320, 86, 13, false,
       TARVIK_TR_NOOP("DataLogger", "MAX entre A e B @")},
      {-1, K::StaticRight, TARVIK_TR_NOOP("DataLogger", "MIN entre A e B"), 250, 336, 62, 8},
      {IDC_AB_MIN, K::Edit, "", 315, 334, 39, 13, false, TARVIK_TR_NOOP("DataLogger", "MIN entre A e B")},
      {-1, K::StaticCenter, "@", 356, 336, 9, 8},
      {IDC_AB_MIN_TIME, K::Edit, "", 367, 334, 86, 13, false,
       TARVIK_TR_NOOP("DataLogger", "MIN entre A e B @")},
      {GraphIds::kLeqLabel, K::StaticRight, "Leq", 455, 322, 18,
       8}, // wide enough for TARVIK_TR_NOOP("DataLogger", "LAeq")
      {GraphIds::kLeq, K::Edit, "", 474, 320, 24, 13, false, TARVIK_TR_NOOP("DataLogger", "Leq entre A e B")},
      {-1, K::StaticRight, TARVIK_TR_NOOP("DataLogger", "Média entre A e B"), 500, 321, 70, 8},
      {IDC_AB_AVERAGE, K::Edit, "", 573, 319, 39, 13, false,
       TARVIK_TR_NOOP("DataLogger", "Média entre A e B")},
      {-1, K::StaticRight, TARVIK_TR_NOOP("DataLogger", "Quantidade entre A e B"), 478, 335, 92, 8},
      {IDC_AB_COUNT, K::Edit, "", 573, 333, 39, 13, false,
       TARVIK_TR_NOOP("DataLogger", "Quantidade entre A e B")},
      // Noise figures of the recording.
      {-1, K::GroupBox, TARVIK_TR_NOOP("DataLogger", "Ruído"), 662, 7, 92, 110},
      {NoiseIds::kLeqLabel, K::StaticRight, "Leq", 666, 24, 30, 8},
      {NoiseIds::kLeq, K::Edit, "", 698, 22, 48, 13, false, "Leq"},
      {-1, K::StaticRight, "L10", 666, 39, 30, 8},
      {NoiseIds::kL10, K::Edit, "", 698, 37, 48, 13, false, "L10"},
      {-1, K::StaticRight, "L50", 666, 54, 30, 8},
      {NoiseIds::kL50, K::Edit, "", 698, 52, 48, 13, false, "L50"},
      {-1, K::StaticRight, "L90", 666, 69, 30, 8},
      {NoiseIds::kL90, K::Edit, "", 698, 67, 48, 13, false, "L90"},
      {-1, K::StaticRight, "SEL", 666, 84, 30, 8},
      {NoiseIds::kSel, K::Edit, "", 698, 82, 48, 13, false, "SEL"},
      {-1, K::StaticRight, TARVIK_TR_NOOP("DataLogger", "Duração"), 666, 99, 30, 8},
      {NoiseIds::kDuration, K::Edit, "", 698, 97, 48, 13, false, TARVIK_TR_NOOP("DataLogger", "Duração")},
  };
  // Level labels kept in step with the scale; never shown.
  for (int k = 0; k <= 10; ++k)
    t.controls.push_back({IDC_LEVEL_LABEL_FIRST + k, K::StaticRight, "", 216, 83 + k * 18, 9, 8, true});
  return t;
}
} // namespace

const DlgTemplate &DataLogTemplate() {
  static const DlgTemplate t = Make();
  return t;
}

} // namespace datalog
