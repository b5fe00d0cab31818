#pragma once

#include "lang/TrText.h"

// Labels of the printed pages (UTF-8), as the meter's users know them.
namespace PrintTexts {
// The print job's and its message boxes' name: a name, never translated.
inline constexpr const char *kDocName = "Vomo";
inline constexpr TrText kDateTime = TARVIK_TR("PrintedPage", "Data, czas");
inline constexpr TrText kUnit = TARVIK_TR("PrintedPage", "Jednostka");
inline constexpr TrText kValue = TARVIK_TR("PrintedPage", "Wartość");
inline constexpr TrText kStartTime = TARVIK_TR("PrintedPage", "Czas rozpoczęcia");
inline constexpr TrText kAverage = TARVIK_TR("PrintedPage", "Średnia");
inline constexpr TrText kSampleRate = TARVIK_TR("PrintedPage", "Częstotliwość próbkowania");
inline constexpr TrText kMax = TARVIK_TR("PrintedPage", "MAKS.");
inline constexpr TrText kMin = TARVIK_TR("PrintedPage", "MIN.");
inline constexpr TrText kTable = TARVIK_TR("PrintedPage", "Tabela");
inline constexpr TrText kTime = TARVIK_TR("PrintedPage", "Czas");
inline constexpr TrText kGraphTitle = TARVIK_TR("PrintedPage", "Krzywa w czasie rzeczywistym");
inline constexpr TrText kIdHeading = TARVIK_TR("PrintedPage", "ID");
inline constexpr TrText kDuration = TARVIK_TR("PrintedPage", "Czas trwania");

inline constexpr TrText kTimeFormatWrong = TARVIK_TR("Printing", "Time Format is wrong!");
inline constexpr TrText kJobFailed = TARVIK_TR("Printing", "The print job could not be started.");
inline constexpr TrText kNoPagesInRange =
    TARVIK_TR("Printing", "The chosen pages are not in the table; it has %1 pages.");
inline constexpr TrText kPageTooSmall = TARVIK_TR("Printing", "The paper is too small for the graph.");
} // namespace PrintTexts
