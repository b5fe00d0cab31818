#include "forms/LogStateTemplate.h"

const DlgTemplate &LogStateTemplate() {
  static const DlgTemplate t{
      146,
      "",
      186,
      62,
      "MS Shell Dlg",
      8,
      {
          {-1, CtlKind::Static, TARVIK_TR_NOOP("DownloadDialog", "Aceitando dados! Aguardar......."), 14, 8,
           158, 9},
          {IDC_LOG_PROGRESS, CtlKind::Progress, "", 14, 22, 158, 12, false,
           TARVIK_TR_NOOP("DownloadDialog", "Aceitando dados! Aguardar.......")},
          // Leaves a download that has stalled, keeping what arrived.
          {IDCANCEL, CtlKind::Button, TARVIK_TR_NOOP("DownloadDialog", "Cancelar"), 68, 42, 50, 14},
      },
      "DownloadDialog",
  };
  return t;
}
