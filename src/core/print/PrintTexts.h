#pragma once

// Labels of the printed pages (UTF-8), as the meter's users know them.
namespace PrintTexts {
inline constexpr const char *kDocName = "Vomo";
inline constexpr const char *kDateTime = "Data, czas";
inline constexpr const char *kUnit = "Jednostka";
inline constexpr const char *kValue = "Wartość";
inline constexpr const char *kStartTime = "Czas rozpoczęcia";
inline constexpr const char *kAverage = "Średnia";
inline constexpr const char *kSampleRate = "Częstotliwość próbkowania";
inline constexpr const char *kMax = "MAKS.";
inline constexpr const char *kMin = "MIN.";
inline constexpr const char *kTable = "Tabela";
inline constexpr const char *kTime = "Czas";
inline constexpr const char *kGraphTitle = "Krzywa w czasie rzeczywistym";
inline constexpr const char *kTimeFormatWrong = "Time Format is wrong!";
inline constexpr const char *kJobFailed = "The print job could not be started.";
inline constexpr const char *kNoPagesInRange = "The chosen pages are not in the table; it has %1 pages.";
inline constexpr const char *kPageTooSmall = "The paper is too small for the graph.";
inline constexpr const char *kIdHeading = "ID";
inline constexpr const char *kDuration = "Czas trwania";
} // namespace PrintTexts
