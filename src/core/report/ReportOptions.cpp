#include "report/ReportOptions.h"

#include "app/OptionArg.h"
#include "files/NumberText.h"

#include <optional>
#include <string_view>

namespace {
std::optional<double> NonNegative(std::string_view v) {
  const std::optional<double> d = WholeNumber(v);
  return d && *d >= 0 ? d : std::nullopt;
}
} // namespace

std::string ReportUsage() {
  return "usage: tarvik-report [--period 1m|5m|15m|30m|1h] [--threshold DB [--min-duration S] [--release "
         "S]]\n"
         "                     [--exposure HOURS] [--csv-periods FILE] [--csv-events FILE] [--json]\n"
         "                     [--pdf FILE [--title T] [--place P] [--operator O] [--notes N]] FILE...\n"
         "  FILE...            Tarvik text data files, taken as one series in time order\n"
         "  --period P         clock periods from local midnight (default 15m)\n"
         "  --threshold DB     events: stretches at or above DB dB\n"
         "  --min-duration S   shorter events are dropped (default 1)\n"
         "  --release S        this long below the threshold ends an event (default 1)\n"
         "  --exposure HOURS   exposure time of LEX,8h (default: the measured time)\n"
         "  --csv-periods FILE write the periods as CSV\n"
         "  --csv-events FILE  write the events as CSV (needs --threshold)\n"
         "  --json             print the series' figures as one JSON object\n"
         "  --pdf FILE         write the printed report as PDF\n"
         "without an output, a readable summary is printed\n"
         "exit codes: 0 done, 2 usage error, 3 no readable samples, 4 output not writable\n";
}

CReportOptionsResult ParseReportOptions(int argc, const char *const *argv) {
  CReportOptionsResult r;
  CReportOptions &o = r.options;
  bool bMinDuration = false, bRelease = false, bPdfText = false;
  for (int i = 1; i < argc && r.Ok(); ++i) {
    COptionArg arg(argc, argv, i);
    const std::string_view a = arg.Name();
    std::string_view v;
    auto value = [&]() { return arg.Value(v, r.strError); };
    auto number = [&](const char *what) -> std::optional<double> {
      if (!value())
        return std::nullopt;
      const std::optional<double> d = NonNegative(v);
      if (!d)
        r.strError = std::string(a) + " must be " + what + " (got \"" + std::string(v) + "\")";
      return d;
    };
    if (a == "--help" || a == "-h") {
      o.bHelp = true;
    } else if (a == "--version") {
      o.bVersion = true;
    } else if (a == "--period") {
      if (!value())
        break;
      if (const std::optional<int> n = ParsePeriodText(v))
        o.settings.nPeriodSec = *n;
      else
        r.strError = "--period must be 1m, 5m, 15m, 30m or 1h (got \"" + std::string(v) + "\")";
    } else if (a == "--threshold") {
      o.settings.dThreshold = number("a level in dB");
    } else if (a == "--min-duration") {
      bMinDuration = true;
      if (const std::optional<double> d = number("a number of seconds"))
        o.settings.dMinDurationSec = *d;
    } else if (a == "--release") {
      bRelease = true;
      if (const std::optional<double> d = number("a number of seconds"))
        o.settings.dReleaseSec = *d;
    } else if (a == "--exposure") {
      o.settings.dExposureHours = number("a number of hours above 0");
      if (r.Ok() && !(*o.settings.dExposureHours > 0))
        r.strError = "--exposure must be a number of hours above 0";
    } else if (a == "--csv-periods" || a == "--csv-events" || a == "--pdf" || a == "--title" ||
               a == "--place" || a == "--operator" || a == "--notes") {
      if (!value())
        break;
      if (v.empty() && (a == "--csv-periods" || a == "--csv-events" || a == "--pdf"))
        r.strError = std::string(a) + " needs a file name";
      std::string &out = a == "--csv-periods"  ? o.strCsvPeriods
                         : a == "--csv-events" ? o.strCsvEvents
                         : a == "--pdf"        ? o.strPdf
                         : a == "--title"      ? o.strTitle
                         : a == "--place"      ? o.strPlace
                         : a == "--operator"   ? o.strOperator
                                               : o.strNotes;
      out = v;
      bPdfText = bPdfText || (a != "--csv-periods" && a != "--csv-events" && a != "--pdf");
    } else if (a == "--json") {
      o.bJson = true;
    } else if (a.starts_with("-") && a != "-") {
      r.strError = "unknown option " + std::string(argv[i]);
    } else {
      o.files.emplace_back(a);
    }
  }
  if (!r.Ok() || o.bHelp || o.bVersion)
    return r;
  if ((bMinDuration || bRelease || !o.strCsvEvents.empty()) && !o.settings.dThreshold)
    r.strError = "--min-duration, --release and --csv-events need --threshold";
  else if (bPdfText && o.strPdf.empty())
    r.strError = "--title, --place, --operator and --notes need --pdf";
  else if (o.files.empty())
    r.strError = "no data file given";
  return r;
}
