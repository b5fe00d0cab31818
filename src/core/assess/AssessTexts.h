#pragma once

#include "lang/TrText.h"

// Texts of the noise assessment: the "Análise" window, its exports, the
// printed report and the live alarm (UTF-8, Portuguese like the menus).
// "%1", "%2": filled in by the caller. The workbook's sheets and headings
// keep the source texts whatever the windows speak.
namespace AssessTexts {
inline constexpr TrText kMenu = TARVIK_TR("Analysis", "Análise");
inline constexpr TrText kWindowTitle = TARVIK_TR("Analysis", "Análise");
inline constexpr TrText kTabPeriods = TARVIK_TR("Analysis", "Períodos");
inline constexpr TrText kTabEvents = TARVIK_TR("Analysis", "Eventos");
inline constexpr TrText kTabSummary = TARVIK_TR("Analysis", "Resumo");
inline constexpr TrText kPrintReport = TARVIK_TR("Analysis", "Imprimir relatório");
inline constexpr TrText kExportPeriods = TARVIK_TR("Analysis", "Exportar períodos (CSV)");
inline constexpr TrText kExportEvents = TARVIK_TR("Analysis", "Exportar eventos (CSV)");
inline constexpr TrText kExportWorkbook = TARVIK_TR("Analysis", "Exportar para Excel");
inline constexpr TrText kCsvFilter = TARVIK_TR("Analysis", "CSV(*.csv)");
inline constexpr TrText kWorkbookFilter = TARVIK_TR("Analysis", "Excel Workbook(*.xlsx)");

inline constexpr TrText kPeriod = TARVIK_TR("Analysis", "Período");
inline constexpr TrText kThreshold = TARVIK_TR("Analysis", "Limiar (dB)");
inline constexpr TrText kMinDuration = TARVIK_TR("Analysis", "Duração mínima (s)");
inline constexpr TrText kRelease = TARVIK_TR("Analysis", "Libertação (s)");
inline constexpr TrText kExposure = TARVIK_TR("Analysis", "Tempo de exposição (h)");
inline constexpr TrText kBeep = TARVIK_TR("Analysis", "Sinal sonoro");

inline constexpr TrText kPeriodHeads[] = {
    TARVIK_TR("Analysis", "Início"),   TARVIK_TR("Analysis", "Fim"),
    TARVIK_TR("Analysis", "Amostras"), TARVIK_TR("Analysis", "Cobertura (%)"),
    TARVIK_TR("Analysis", "Leq"),      TARVIK_TR("Analysis", "Lmax"),
    TARVIK_TR("Analysis", "Lmin"),     TARVIK_TR("Analysis", "L10"),
    TARVIK_TR("Analysis", "L50"),      TARVIK_TR("Analysis", "L90")};
inline constexpr TrText kEventHeads[] = {TARVIK_TR("Analysis", "Início"),      TARVIK_TR("Analysis", "Fim"),
                                         TARVIK_TR("Analysis", "Duração (s)"), TARVIK_TR("Analysis", "Lmax"),
                                         TARVIK_TR("Analysis", "Leq"),         TARVIK_TR("Analysis", "SEL")};
inline constexpr TrText kSummaryHeads[] = {TARVIK_TR("Analysis", "Grandeza"), TARVIK_TR("Analysis", "Valor")};

// The live alarm: the event's highest level and its start time.
inline constexpr TrText kAlarm = TARVIK_TR("LiveAlarm", "Limiar excedido: %1 dB desde %2");

// Rows of the summary.
inline constexpr TrText kSamples = TARVIK_TR("Analysis", "Amostras");
inline constexpr TrText kStart = TARVIK_TR("Analysis", "Início");
inline constexpr TrText kEnd = TARVIK_TR("Analysis", "Fim");
inline constexpr TrText kMeasured = TARVIK_TR("Analysis", "Tempo medido");
inline constexpr TrText kLex = TARVIK_TR("Analysis", "LEX,8h");
inline constexpr TrText kLexFlag = TARVIK_TR("Analysis", "Ação/limite");
inline constexpr TrText kLday = TARVIK_TR("Analysis", "Lday (07–19)");
inline constexpr TrText kLevening = TARVIK_TR("Analysis", "Levening (19–23)");
inline constexpr TrText kLnight = TARVIK_TR("Analysis", "Lnight (23–07)");
inline constexpr TrText kLden = TARVIK_TR("Analysis", "Lden");
inline constexpr TrText kEvents = TARVIK_TR("Analysis", "Eventos");
inline constexpr TrText kTimeAbove = TARVIK_TR("Analysis", "Tempo acima do limiar");

inline constexpr TrText kCoverage = TARVIK_TR("Analysis", "%1 dB, cobertura %2 %");
inline constexpr TrText kNoSamples = TARVIK_TR("Analysis", "sem amostras");
inline constexpr TrText kLdenMissing = TARVIK_TR("Analysis", "não calculado: sem amostras de %1");
inline constexpr TrText kPartNames[] = {TARVIK_TR("Analysis", "dia"), TARVIK_TR("Analysis", "entardecer"),
                                        TARVIK_TR("Analysis", "noite")};
inline constexpr TrText kLexNotA =
    TARVIK_TR("Analysis", "só para níveis ponderados A (dBA): estes dados são %1");
inline constexpr TrText kLexNoTime = TARVIK_TR("Analysis", "sem tempo medido");
inline constexpr TrText kFlagNone = TARVIK_TR("Analysis", "abaixo dos valores de ação");
inline constexpr TrText kFlagLower = TARVIK_TR("Analysis", "valor de ação inferior (80 dB(A)) atingido");
inline constexpr TrText kFlagUpper = TARVIK_TR("Analysis", "valor de ação superior (85 dB(A)) atingido");
inline constexpr TrText kFlagLimit = TARVIK_TR("Analysis", "valor limite de exposição (87 dB(A)) atingido");
inline constexpr TrText kTimeAboveShare = TARVIK_TR("Analysis", "%1 (%2 % do tempo medido)");
inline constexpr TrText kNoThreshold = TARVIK_TR("Analysis", "sem limiar");
inline constexpr TrText kBothWeightings = TARVIK_TR("Analysis", "dBA e dBC");

// Where the data comes from.
inline constexpr TrText kSourceLive = TARVIK_TR("Analysis", "Medição em tempo real");
inline constexpr TrText kSourceRecording = TARVIK_TR("Analysis", "DATALOGGER, gravação %1");

// The printed report.
inline constexpr TrText kReportTitle = TARVIK_TR("Report", "Relatório de ruído");
inline constexpr TrText kReportTitleLabel = TARVIK_TR("Report", "Título");
inline constexpr TrText kReportPlace = TARVIK_TR("Report", "Local");
inline constexpr TrText kReportOperator = TARVIK_TR("Report", "Operador");
inline constexpr TrText kReportNotes = TARVIK_TR("Report", "Notas");
inline constexpr TrText kReportInstrument = TARVIK_TR("Report", "Instrumento");
inline constexpr TrText kReportSource = TARVIK_TR("Report", "Origem dos dados");
inline constexpr TrText kReportInterval = TARVIK_TR("Report", "Intervalo medido");
inline constexpr TrText kReportFromTo = TARVIK_TR("Report", "%1 a %2");
inline constexpr TrText kReportPage = TARVIK_TR("Report", "Página %1 de %2");
inline constexpr TrText kReportMeter = TARVIK_TR("Report", "Sonómetro digital");
inline constexpr TrText kReportSampleEvery = TARVIK_TR("Report", ", uma amostra a cada %1 s");
} // namespace AssessTexts
