#pragma once

#include "forms/DialogTemplate.h"

// The dialog templates of the main window and its dialogs.
const DlgTemplate &AboutTemplate();   // 100, "Informações" box
const DlgTemplate &FormTemplate();    // 101, the monitoring form
const DlgTemplate &RTSetupTemplate(); // 148, "Configuração registro"
const DlgTemplate &PortTemplate();    // 159, "Porta"
