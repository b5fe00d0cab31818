#pragma once

#include "forms/CommandIds.h"
#include "lang/TrText.h"

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
    {cmd::ID_OPEN, TARVIK_TR_NOOP("StatusBar", "Abrir um ficheiro de dados na janela DATALOGGER")},
    {cmd::ID_SAVE_AS, TARVIK_TR_NOOP("StatusBar", "Guardar as amostras em tempo real num ficheiro de dados")},
    {cmd::ID_EXPORT_EXCEL,
     TARVIK_TR_NOOP("StatusBar", "Exportar as amostras em tempo real para uma folha de cálculo")},
    {cmd::ID_PRINT_GRAPH, TARVIK_TR_NOOP("StatusBar", "Imprimir o gráfico e as estatísticas")},
    {cmd::ID_PRINT_TABLE, TARVIK_TR_NOOP("StatusBar", "Imprimir a tabela de amostras")},
    {cmd::ID_EXIT, TARVIK_TR_NOOP("StatusBar", "Fechar o programa")},
    {cmd::ID_RUN, TARVIK_TR_NOOP("StatusBar", "Iniciar a medição em tempo real")},
    {cmd::ID_STOP, TARVIK_TR_NOOP("StatusBar", "Parar a medição em tempo real")},
    {cmd::ID_CLEAR, TARVIK_TR_NOOP("StatusBar", "Apagar as amostras em tempo real")},
    {cmd::ID_SETUP,
     TARVIK_TR_NOOP("StatusBar", "Escolher o número de amostras e a taxa, e iniciar a medição")},
    {cmd::ID_DOWNLOAD, TARVIK_TR_NOOP("StatusBar", "Executar o Registo de dados")},
    {cmd::ID_PORT_MANUAL, TARVIK_TR_NOOP("StatusBar", "Indicar à mão o número da porta do medidor")},
    {cmd::ID_PORT_AUTO, TARVIK_TR_NOOP("StatusBar", "Procurar o medidor automaticamente")},
    {cmd::ID_VIEW_TOOLBAR, TARVIK_TR_NOOP("StatusBar", "Mostrar ou esconder a barra de ferramentas")},
    {cmd::ID_VIEW_STATUS_BAR, TARVIK_TR_NOOP("StatusBar", "Mostrar ou esconder a barra de estado")},
    {cmd::ID_COLOR_SET, TARVIK_TR_NOOP("StatusBar", "Escolher as cores do gráfico")},
    {cmd::ID_HELP_CONTENTS, TARVIK_TR_NOOP("StatusBar", "Abrir o manual do utilizador")},
    {cmd::ID_APP_ABOUT, TARVIK_TR_NOOP("StatusBar", "Mostrar a versão do programa")},
    {datalog::ID_IMPORT, TARVIK_TR_NOOP("StatusBar", "Ler um ficheiro de dados para a lista de gravações")},
    {datalog::ID_EXPORT,
     TARVIK_TR_NOOP("StatusBar", "Exportar a gravação escolhida para uma folha de cálculo")},
    {datalog::ID_SAVE_SELECTION,
     TARVIK_TR_NOOP("StatusBar", "Guardar a gravação escolhida num ficheiro de dados")},
    {datalog::ID_PRINT_GRAPH, TARVIK_TR_NOOP("StatusBar", "Imprimir o gráfico da gravação escolhida")},
    {datalog::ID_PRINT_TABLE, TARVIK_TR_NOOP("StatusBar", "Imprimir a tabela da gravação escolhida")},
};

// The status text of command `nId` (source text, context "StatusBar"); null
// when it has none.
constexpr const char *CommandTipText(int nId) {
  for (const CommandTip &t : kCommandTips)
    if (t.nId == nId)
      return t.text;
  return nullptr;
}

// Connection pane of the status bar.
inline constexpr TrText kSearching = TARVIK_TR("StatusBar", "A procurar o medidor…");
inline constexpr TrText kNoMeterFound = TARVIK_TR("StatusBar", "Nenhum medidor encontrado");
inline constexpr TrText kPortNotRemembered =
    TARVIK_TR("StatusBar", "Não é possível guardar a porta escolhida: %1");
inline constexpr TrText kCannotOpen = TARVIK_TR("StatusBar", "Não foi possível abrir %1");
inline constexpr TrText kMeterSending = TARVIK_TR("StatusBar", "%1: o medidor está a enviar dados");
inline constexpr TrText kMeterSilent = TARVIK_TR("StatusBar", "%1: o medidor não envia dados");
inline constexpr TrText kMeterUnplugged = TARVIK_TR("StatusBar", "%1: o medidor foi desligado");

// Why a monitoring run ended by itself.
inline constexpr TrText kRunEndedLimit =
    TARVIK_TR("StatusBar", "Medição terminada: atingido o número de amostras");
inline constexpr TrText kRunEndedHold = TARVIK_TR("StatusBar", "Medição parada pela tecla HOLD do medidor");
inline constexpr TrText kRunEndedSilence =
    TARVIK_TR("StatusBar", "Medição parada: o medidor deixou de enviar dados");
inline constexpr TrText kRunEndedUnplugged =
    TARVIK_TR("StatusBar", "Medição parada: o medidor foi desligado");

// How a download ended; the causes are also the second line of "Occur an error".
inline constexpr TrText kDownloadDone = TARVIK_TR("StatusBar", "Registo de dados recebido");
inline constexpr TrText kMeterMemoryEmpty = TARVIK_TR("StatusBar", "O medidor não tem registos.");
inline constexpr TrText kDownloadFailed = TARVIK_TR("StatusBar", "O Registo de dados falhou: %1");
inline constexpr TrText kCauseSilence = TARVIK_TR("StatusBar", "O medidor deixou de enviar dados.");
inline constexpr TrText kCauseUnplugged = TARVIK_TR("StatusBar", "O medidor foi desligado.");
inline constexpr TrText kCauseTimeout = TARVIK_TR("StatusBar", "O Registo de dados não terminou a tempo.");

// Questions and notices of the message boxes, and their captions.
inline constexpr TrText kTipCaption = TARVIK_TR("MessageBox", "Tip");
inline constexpr TrText kTipsCaption = TARVIK_TR("MessageBox", "Tips");
inline constexpr TrText kErrorCaption = TARVIK_TR("MessageBox", "error");
inline constexpr TrText kCloseWindow = TARVIK_TR("MessageBox", "Close Window?");
inline constexpr TrText kSaveCurrentData = TARVIK_TR("RunQuestions", "Zapisz bieżące dane");
inline constexpr TrText kDeletingData = TARVIK_TR("RunQuestions", "Usuwanie danych");
inline constexpr TrText kStopRunFirst = TARVIK_TR("RunQuestions", "Please stop the Real Time Runing!");
// The first line of a failed download's notice; its cause follows.
inline constexpr TrText kOccurAnError = TARVIK_TR("MessageBox", "Occur an error");
inline constexpr TrText kCannotOpenCom = TARVIK_TR("MessageBox", "Warning:Can't open COM%1!");

// Help.
inline constexpr TrText kManualMissing =
    TARVIK_TR("MessageBox", "O manual do utilizador não foi encontrado.\nProcurado em:\n%1");
inline constexpr TrText kManualNotOpened =
    TARVIK_TR("MessageBox", "Não foi possível abrir o manual do utilizador:\n%1");
inline constexpr TrText kHelpCaption = TARVIK_TR("MessageBox", "Ajuda");

} // namespace UiTexts

// Buttons of the message boxes and of the open's progress dialog; "&" marks
// the letter that Alt presses (shown underlined, not as a character).
inline constexpr TrText kButtonOk = TARVIK_TR("MessageBox", "&OK");
inline constexpr TrText kButtonYes = TARVIK_TR("MessageBox", "&Sim");
inline constexpr TrText kButtonNo = TARVIK_TR("MessageBox", "&Não");
// A plain string (context "MessageBox") as the progress dialog of an open also takes it.
inline constexpr const char *kButtonCancel = TARVIK_TR_NOOP("MessageBox", "&Cancelar");
// The questions that would throw data away: save first, let it go, or
// leave everything as it is.
inline constexpr TrText kButtonSave = TARVIK_TR("MessageBox", "&Guardar…");
inline constexpr TrText kButtonDiscard = TARVIK_TR("MessageBox", "&Descartar");
inline constexpr TrText kButtonRecover = TARVIK_TR("MessageBox", "&Recuperar"); // an interrupted run
