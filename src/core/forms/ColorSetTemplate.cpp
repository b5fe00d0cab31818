#include "forms/ColorSetTemplate.h"

const DlgTemplate &ColorSetTemplate() {
  static const std::string swatch(18, ' ');
  static const DlgTemplate t{
      160,
      TARVIK_TR_NOOP("ColourDialog", "Configuração da cor"),
      170,
      96,
      "MS Shell Dlg",
      8,
      {
          {-1, CtlKind::Static, TARVIK_TR_NOOP("ColourDialog", "Cor da grelha"), 12, 12, 56, 9},
          {IDC_SWATCH_GRID, CtlKind::Static, swatch, 72, 10, 56, 12, false,
           TARVIK_TR_NOOP("ColourDialog", "Cor da grelha")},
          {IDC_CHOOSE_GRID, CtlKind::Button, "...", 134, 9, 22, 14, false,
           TARVIK_TR_NOOP("ColourDialog", "Escolher a cor da grelha")},
          {-1, CtlKind::Static, TARVIK_TR_NOOP("ColourDialog", "Cor da linha"), 12, 32, 56, 9},
          {IDC_SWATCH_LINE, CtlKind::Static, swatch, 72, 30, 56, 12, false,
           TARVIK_TR_NOOP("ColourDialog", "Cor da linha")},
          {IDC_CHOOSE_LINE, CtlKind::Button, "...", 134, 29, 22, 14, false,
           TARVIK_TR_NOOP("ColourDialog", "Escolher a cor da linha")},
          {-1, CtlKind::Static, TARVIK_TR_NOOP("ColourDialog", "Cor de fundo"), 12, 52, 56, 9},
          {IDC_SWATCH_BK, CtlKind::Static, swatch, 72, 50, 56, 12, false,
           TARVIK_TR_NOOP("ColourDialog", "Cor de fundo")},
          {IDC_CHOOSE_BK, CtlKind::Button, "...", 134, 49, 22, 14, false,
           TARVIK_TR_NOOP("ColourDialog", "Escolher a cor de fundo")},
          {IDOK, CtlKind::DefButton, TARVIK_TR_NOOP("ColourDialog", "OK"), 30, 74, 50, 14},
          {IDCANCEL, CtlKind::Button, TARVIK_TR_NOOP("ColourDialog", "Anular"), 90, 74, 50, 14},
      },
      "ColourDialog",
  };
  return t;
}
