#pragma once

#include "forms/CommandIds.h"

// Texts the program shows beyond the fixed ones of its menus, dialogs and
// pages (UTF-8, Portuguese like the menus). All of them live here, so they
// are written, read and translated in one place. "%1", "%2": filled in by
// the caller.
namespace UiTexts {

// Status bar text of each command while its menu item or toolbar button is
// under the mouse.
struct CommandTip {
  int nId;
  const char *text;
};
inline constexpr CommandTip kCommandTips[] = {
    {cmd::ID_OPEN, "Abrir um ficheiro de dados na janela DATALOGGER"},
    {cmd::ID_SAVE_AS, "Guardar as amostras em tempo real num ficheiro de dados"},
    {cmd::ID_EXPORT_EXCEL, "Exportar as amostras em tempo real para uma folha de cálculo"},
    {cmd::ID_PRINT_GRAPH, "Imprimir o gráfico e as estatísticas"},
    {cmd::ID_PRINT_TABLE, "Imprimir a tabela de amostras"},
    {cmd::ID_EXIT, "Fechar o programa"},
    {cmd::ID_RUN, "Iniciar a medição em tempo real"},
    {cmd::ID_STOP, "Parar a medição em tempo real"},
    {cmd::ID_CLEAR, "Apagar as amostras em tempo real"},
    {cmd::ID_SETUP, "Escolher o número de amostras e a taxa, e iniciar a medição"},
    {cmd::ID_DOWNLOAD, "Executar o Registo de dados"},
    {cmd::ID_PORT_MANUAL, "Indicar à mão o número da porta do medidor"},
    {cmd::ID_PORT_AUTO, "Procurar o medidor automaticamente"},
    {cmd::ID_VIEW_TOOLBAR, "Mostrar ou esconder a barra de ferramentas"},
    {cmd::ID_VIEW_STATUS_BAR, "Mostrar ou esconder a barra de estado"},
    {cmd::ID_COLOR_SET, "Escolher as cores do gráfico"},
    {cmd::ID_HELP_CONTENTS, "Abrir o manual do utilizador"},
    {cmd::ID_APP_ABOUT, "Mostrar a versão do programa"},
    {datalog::ID_IMPORT, "Ler um ficheiro de dados para a lista de gravações"},
    {datalog::ID_EXPORT, "Exportar a gravação escolhida para uma folha de cálculo"},
    {datalog::ID_SAVE_SELECTION, "Guardar a gravação escolhida num ficheiro de dados"},
    {datalog::ID_PRINT_GRAPH, "Imprimir o gráfico da gravação escolhida"},
    {datalog::ID_PRINT_TABLE, "Imprimir a tabela da gravação escolhida"},
};

// The status text of command `nId`; null when it has none.
constexpr const char *CommandTipText(int nId) {
  for (const CommandTip &t : kCommandTips)
    if (t.nId == nId)
      return t.text;
  return nullptr;
}

// Connection pane of the status bar.
inline constexpr const char *kSearching = "A procurar o medidor…";
inline constexpr const char *kNoMeterFound = "Nenhum medidor encontrado";
inline constexpr const char *kPortNotRemembered = "Não é possível guardar a porta escolhida: %1";
inline constexpr const char *kCannotOpen = "Não foi possível abrir %1";
inline constexpr const char *kMeterSending = "%1: o medidor está a enviar dados";
inline constexpr const char *kMeterSilent = "%1: o medidor não envia dados";
inline constexpr const char *kMeterUnplugged = "%1: o medidor foi desligado";

// Why a monitoring run ended by itself.
inline constexpr const char *kRunEndedLimit = "Medição terminada: atingido o número de amostras";
inline constexpr const char *kRunEndedHold = "Medição parada pela tecla HOLD do medidor";
inline constexpr const char *kRunEndedSilence = "Medição parada: o medidor deixou de enviar dados";
inline constexpr const char *kRunEndedUnplugged = "Medição parada: o medidor foi desligado";

// How a download ended; the causes are also the second line of "Occur an error".
inline constexpr const char *kDownloadDone = "Registo de dados recebido";
inline constexpr const char *kMeterMemoryEmpty = "O medidor não tem registos.";
inline constexpr const char *kDownloadFailed = "O Registo de dados falhou: %1";
inline constexpr const char *kCauseSilence = "O medidor deixou de enviar dados.";
inline constexpr const char *kCauseUnplugged = "O medidor foi desligado.";
inline constexpr const char *kCauseTimeout = "O Registo de dados não terminou a tempo.";

// Help.
inline constexpr const char *kManualMissing = "O manual do utilizador não foi encontrado.\nProcurado em:\n%1";
inline constexpr const char *kManualNotOpened = "Não foi possível abrir o manual do utilizador:\n%1";
inline constexpr const char *kHelpCaption = "Ajuda";

} // namespace UiTexts

// Buttons of the message boxes and of the open's progress dialog; "&" marks
// the letter that Alt presses (shown underlined, not as a character).
inline constexpr const char *kButtonOk = "&OK";
inline constexpr const char *kButtonYes = "&Sim";
inline constexpr const char *kButtonNo = "&Não";
inline constexpr const char *kButtonCancel = "&Cancelar";
// The questions that would throw data away: save first, let it go, or
// leave everything as it is.
inline constexpr const char *kButtonSave = "&Guardar…";
inline constexpr const char *kButtonDiscard = "&Descartar";
inline constexpr const char *kButtonRecover = "&Recuperar"; // an interrupted run
