#pragma once

// Texts of the noise assessment: the "Análise" window, its exports, the
// printed report and the live alarm (UTF-8, Portuguese like the menus).
// "%1", "%2": filled in by the caller.
namespace AssessTexts {
inline constexpr const char *kMenu = "Análise";
inline constexpr const char *kWindowTitle = "Análise";
inline constexpr const char *kTabPeriods = "Períodos";
inline constexpr const char *kTabEvents = "Eventos";
inline constexpr const char *kTabSummary = "Resumo";
inline constexpr const char *kPrintReport = "Imprimir relatório";
inline constexpr const char *kExportPeriods = "Exportar períodos (CSV)";
inline constexpr const char *kExportEvents = "Exportar eventos (CSV)";
inline constexpr const char *kExportWorkbook = "Exportar para Excel";
inline constexpr const char *kCsvFilter = "CSV(*.csv)";
inline constexpr const char *kWorkbookFilter = "Excel Workbook(*.xlsx)";

inline constexpr const char *kPeriod = "Período";
inline constexpr const char *kThreshold = "Limiar (dB)";
inline constexpr const char *kMinDuration = "Duração mínima (s)";
inline constexpr const char *kRelease = "Libertação (s)";
inline constexpr const char *kExposure = "Tempo de exposição (h)";
inline constexpr const char *kBeep = "Sinal sonoro";

inline constexpr const char *kPeriodHeads[] = {"Início", "Fim",  "Amostras", "Cobertura (%)", "Leq",
                                               "Lmax",   "Lmin", "L10",      "L50",           "L90"};
inline constexpr const char *kEventHeads[] = {"Início", "Fim", "Duração (s)", "Lmax", "Leq", "SEL"};
inline constexpr const char *kSummaryHeads[] = {"Grandeza", "Valor"};

// The live alarm: the event's highest level and its start time.
inline constexpr const char *kAlarm = "Limiar excedido: %1 dB desde %2";

// Rows of the summary.
inline constexpr const char *kSamples = "Amostras";
inline constexpr const char *kStart = "Início";
inline constexpr const char *kEnd = "Fim";
inline constexpr const char *kMeasured = "Tempo medido";
inline constexpr const char *kLex = "LEX,8h";
inline constexpr const char *kLexFlag = "Ação/limite";
inline constexpr const char *kLday = "Lday (07–19)";
inline constexpr const char *kLevening = "Levening (19–23)";
inline constexpr const char *kLnight = "Lnight (23–07)";
inline constexpr const char *kLden = "Lden";
inline constexpr const char *kEvents = "Eventos";
inline constexpr const char *kTimeAbove = "Tempo acima do limiar";

inline constexpr const char *kCoverage = "%1 dB, cobertura %2 %";
inline constexpr const char *kNoSamples = "sem amostras";
inline constexpr const char *kLdenMissing = "não calculado: sem amostras de %1";
inline constexpr const char *kPartNames[] = {"dia", "entardecer", "noite"};
inline constexpr const char *kLexNotA = "só para níveis ponderados A (dBA): estes dados são %1";
inline constexpr const char *kLexNoTime = "sem tempo medido";
inline constexpr const char *kFlagNone = "abaixo dos valores de ação";
inline constexpr const char *kFlagLower = "valor de ação inferior (80 dB(A)) atingido";
inline constexpr const char *kFlagUpper = "valor de ação superior (85 dB(A)) atingido";
inline constexpr const char *kFlagLimit = "valor limite de exposição (87 dB(A)) atingido";
inline constexpr const char *kTimeAboveShare = "%1 (%2 % do tempo medido)";
inline constexpr const char *kNoThreshold = "sem limiar";

// Where the data comes from.
inline constexpr const char *kSourceLive = "Medição em tempo real";
inline constexpr const char *kSourceRecording = "DATALOGGER, gravação %1";

// The printed report.
inline constexpr const char *kReportTitle = "Relatório de ruído";
inline constexpr const char *kReportTitleLabel = "Título";
inline constexpr const char *kReportPlace = "Local";
inline constexpr const char *kReportOperator = "Operador";
inline constexpr const char *kReportNotes = "Notas";
inline constexpr const char *kReportInstrument = "Instrumento";
inline constexpr const char *kReportSource = "Origem dos dados";
inline constexpr const char *kReportInterval = "Intervalo medido";
} // namespace AssessTexts
