#pragma once

#include "graph/GraphState.h"
#include "graph/TimeLabels.h"
#include "print/GraphPageLayout.h"
#include "print/PageImage.h"
#include "records/SampleArray.h"
#include "records/StatData.h"

#include <ctime>
#include <functional>

class CPrintRX;
class CPrompts;
class QPainter;
class QWidget;

// What a print command did, for the caller and the tests.
enum class PrintOutcome {
  Printed,
  Empty,           // no samples: no dialog, nothing printed
  Cancelled,       // the print dialog was cancelled
  TimeFormatWrong, // a time label could not be computed; told the user, nothing printed
  JobFailed,       // the printer or file could not be opened; told the user
  NoPagesInRange,  // the dialog's page range missed the table; told the user
};

using PrintClock = std::function<std::time_t()>;

// Where a print command asks its questions and reads the time for its pages.
struct PrintHost {
  CPrompts &prompts;
  QWidget *parent = nullptr;
  PrintClock clock; // empty: the system clock
};

// The samples as numbered table pages with the statistics block on page 1.
PrintOutcome PrintTable(CPrintRX &job, const CSampleArray &samples, StatData stat, const PrintHost &host);

// The graph page: the graph at its current zoom and scroll above the
// statistics block. A time label that cannot be computed is told to the
// user ("Time Format is wrong!") before any printer is asked for.
PrintOutcome PrintGraph(CPrintRX &job, const CGraphState &state, const CSampleArray &samples, StatData stat,
                        const PrintHost &host);

// Draws the graph page on the job's painter (font, curve, axes, labels,
// title and statistics); the labels are complete.
void PrintGraphPage(QPainter &painter, const GraphPageGeometry &g, const CGraphState &state,
                    const CSampleArray &samples, const StatData &stat, const TimeAxisLabels &labels,
                    const PrintTime &now);

// The menu commands of both windows ("Imprimir gráfico", "Imprimir tabela"):
// one job for the command, on the samples and scale state of the window's
// graph control and a copy of the window's statistics block.
PrintOutcome PrintGraph(const CGraphState &state, const CSampleArray &samples, StatData stat,
                        const PrintHost &host);
PrintOutcome PrintTable(const CSampleArray &samples, StatData stat, const PrintHost &host);
