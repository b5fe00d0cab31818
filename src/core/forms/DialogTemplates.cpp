#include "forms/ControlIds.h"
#include "forms/Templates.h"

#include "TarvikVersion.h"

#include <string>

const DlgTemplate &AboutTemplate() {
  static const DlgTemplate t{
      100,
      TARVIK_TR_NOOP("AboutDialog", "Acerca de Tarvik"),
      235,
      55,
      "MS Shell Dlg",
      8,
      {
          {-1, CtlKind::Picture, "", 11, 17, 20, 20},
          // The version is the program's own, as --version and the package say.
          {-1, CtlKind::Static, std::string("Tarvik, Versão ") + kTarvikVersion, 40, 10, 119, 8},
          {-1, CtlKind::Static, TARVIK_TR_NOOP("AboutDialog", "Monitor de nível sonoro"), 40, 25, 119, 8},
          {IDOK, CtlKind::DefButton, TARVIK_TR_NOOP("AboutDialog", "OK"), 178, 7, 50, 14},
      },
      "AboutDialog",
  };
  return t;
}

const DlgTemplate &RTSetupTemplate() {
  static const DlgTemplate t{
      148,
      TARVIK_TR_NOOP("SetupDialog", "Configuração registro"),
      230,
      140,
      "MS Shell Dlg",
      8,
      {
          {-1, CtlKind::Static, TARVIK_TR_NOOP("SetupDialog", "Número Amostras"), 12, 14, 80, 8},
          {SetupIds::kSamples, CtlKind::Edit, "", 100, 12, 60, 14, false,
           TARVIK_TR_NOOP("SetupDialog", "Número Amostras")},
          {-1, CtlKind::Static, TARVIK_TR_NOOP("SetupDialog", "Taxa de amostragem"), 12, 34, 80, 8},
          {SetupIds::kRate, CtlKind::ComboDropList, "", 100, 32, 60, 120, false,
           TARVIK_TR_NOOP("SetupDialog", "Taxa de amostragem")},
          {-1, CtlKind::Static, TARVIK_TR_NOOP("SetupDialog", "Segundo"), 166, 34, 40, 8},
          {-1, CtlKind::Static, TARVIK_TR_NOOP("SetupDialog", "Tempo de gravação"), 12, 54, 80, 8},
          {SetupIds::kDuration, CtlKind::EditReadOnly, "", 100, 52, 118, 14, false,
           TARVIK_TR_NOOP("SetupDialog", "Tempo de gravação")},
          {-1, CtlKind::Static, TARVIK_TR_NOOP("SetupDialog", "Hora de início"), 12, 74, 80, 8},
          {SetupIds::kStart, CtlKind::EditReadOnly, "", 100, 72, 118, 14, false,
           TARVIK_TR_NOOP("SetupDialog", "Hora de início")},
          {-1, CtlKind::Static, TARVIK_TR_NOOP("SetupDialog", "Fim do tempo"), 12, 94, 80, 8},
          {SetupIds::kEnd, CtlKind::EditReadOnly, "", 100, 92, 118, 14, false,
           TARVIK_TR_NOOP("SetupDialog", "Fim do tempo")},
          {IDOK, CtlKind::DefButton, TARVIK_TR_NOOP("SetupDialog", "Iniciar"), 54, 118, 50, 14},
          {IDCANCEL, CtlKind::Button, TARVIK_TR_NOOP("SetupDialog", "Anular"), 126, 118, 50, 14},
      },
      "SetupDialog",
  };
  return t;
}

const DlgTemplate &PortTemplate() {
  static const DlgTemplate t{
      159,
      TARVIK_TR_NOOP("PortDialog", "Porta"),
      150,
      62,
      "MS Shell Dlg",
      8,
      {
          {-1, CtlKind::Static, TARVIK_TR_NOOP("PortDialog", "Porta"), 14, 16, 30, 8},
          {PortIds::kPort, CtlKind::Edit, "", 50, 14, 60, 14, false, TARVIK_TR_NOOP("PortDialog", "Porta")},
          {IDOK, CtlKind::DefButton, TARVIK_TR_NOOP("PortDialog", "OK"), 20, 40, 50, 14},
          {IDCANCEL, CtlKind::Button, TARVIK_TR_NOOP("PortDialog", "Anular"), 80, 40, 50, 14},
      },
      "PortDialog",
  };
  return t;
}
