#include "res/LogStateTemplate.h"

const DlgTemplate &LogStateTemplate() {
  static const DlgTemplate t{
      146,
      "",
      186,
      46,
      "MS Shell Dlg",
      8,
      {
          {-1, CtlKind::Static, "Aceitando dados! Aguardar.......", 14, 8, 158, 9},
          {IDC_LOG_PROGRESS, CtlKind::Progress, "", 14, 22, 158, 12, false,
           "Aceitando dados! Aguardar......."},
      },
  };
  return t;
}
