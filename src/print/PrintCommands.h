#pragma once

#include "monitor/SampleArray.h"
#include "monitor/StatData.h"

#include <ctime>
#include <functional>

class CPrintRX;
class CPrompts;
class QWidget;

// What a print command did, for the caller and the tests.
enum class PrintOutcome {
  Printed,
  Empty,           // no samples: no dialog, nothing printed
  Cancelled,       // the print dialog was cancelled
  TimeFormatWrong, // a time label could not be computed; told the user, nothing printed
  JobFailed,       // the printer or file could not be opened; told the user
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
