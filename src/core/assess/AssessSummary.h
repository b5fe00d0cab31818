#pragma once

#include "assess/SeriesAssessment.h"
#include "lang/Translate.h"

#include <optional>
#include <string>
#include <vector>

// One line of the summary as the "Resumo" tab, the workbook and the printed
// report show it: a label, its text, and the number behind it when it has one.
// The texts come through `tr`; the workbook keeps the source texts.
struct SummaryRow {
  std::string strLabel;
  std::string strText;
  std::optional<double> dValue;
};

std::vector<SummaryRow> SummaryRows(const SeriesAssessment &a, FTranslate tr = SourceText);

// "dd-mm-yyyy hh:mm:ss" of a clock-face time.
std::string ClockText(CivilSeconds t);
// "Limiar excedido: 87.3 dB desde 14:02:11".
std::string AlarmText(double dLmax, CivilSeconds tStart, FTranslate tr = SourceText);
// "%1", "%2" of a text replaced.
std::string FillText(std::string text, const std::string &a1, const std::string &a2 = {});
