#pragma once

// Command ids of the menu bar and toolbar. They are the ids the meter's
// desktop program has always used, so every command keeps one number.
namespace cmd {
constexpr int ID_RUN = 32771;             // "Executar"
constexpr int ID_STOP = 32772;            // "Parar"
constexpr int ID_CLEAR = 32773;           // "Apagar os dados"
constexpr int ID_DOWNLOAD = 32780;        // "Registo"
constexpr int ID_EXPORT_EXCEL = 32785;    // "Exportar para Excel"
constexpr int ID_SAVE_AS = 32786;         // "Guardar como"
constexpr int ID_EXIT = 32788;            // "Sair"
constexpr int ID_OPEN = 32790;            // "Abrir"
constexpr int ID_SETUP = 32791;           // "Configuração"
constexpr int ID_PRINT_TABLE = 32796;     // "Imprimir tabela"
constexpr int ID_HELP_CONTENTS = 32799;   // "Conteúdo"
constexpr int ID_PRINT_GRAPH = 32802;     // "Imprimir gráfico"
constexpr int ID_PORT_MANUAL = 32815;     // "Manual"
constexpr int ID_PORT_AUTO = 32816;       // "Auto"
constexpr int ID_COLOR_SET = 32817;       // "Configuração da cor"
constexpr int ID_APP_ABOUT = 57664;       // "Informações"
constexpr int ID_VIEW_TOOLBAR = 59392;    // "Barra de Ferramentas"
constexpr int ID_VIEW_STATUS_BAR = 59393; // "Barra de estado"
} // namespace cmd

// The data logger window's menu (147).
namespace datalog {
constexpr int ID_IMPORT = 32781;         // "Importar"
constexpr int ID_EXPORT = 32813;         // "Exportar"
constexpr int ID_SAVE_SELECTION = 32793; // "Guardar" -> "Guardar seleção"
constexpr int ID_PRINT_GRAPH = 32794;    // "Imprimir" -> "Imprimir gráfico"
constexpr int ID_PRINT_TABLE = 32795;    // "Imprimir" -> "Imprimir tabela"
} // namespace datalog
