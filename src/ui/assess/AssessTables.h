#pragma once

#include "assess/SeriesAssessment.h"

#include <QStringList>

#include <vector>

class QTableWidget;

// The rows of the "Períodos", "Eventos" and "Resumo" tabs as texts.
QStringList PeriodRowTexts(const PeriodFigures &p);
QStringList EventRowTexts(const NoiseEvent &e);
std::vector<QStringList> SummaryRowTexts(const SeriesAssessment &a);

// A table with these heads, read-only, rows selected whole.
void SetUpTable(QTableWidget *t, const QStringList &heads);
// Rows from `nFrom` on are written anew, the ones before kept; the table
// ends with rows.size() rows.
void FillTableRows(QTableWidget *t, const std::vector<QStringList> &rows, int nFrom = 0);
