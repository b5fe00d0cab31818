// tarvik-report: the noise assessment of Tarvik data files, without a window.
#include "TarvikVersion.h"
#include "assess/AssessCsv.h"
#include "assess/AssessJson.h"
#include "assess/ReportLayout.h"
#include "files/AtomicFile.h"
#include "files/TextDataFile.h"
#include "print/PdfDocument.h"
#include "report/ReportOptions.h"
#include "report/ReportSummary.h"

#include <cstdio>
#include <vector>

namespace {
bool WriteFile(const std::string &strPath, const std::string &bytes) {
  const CFileResult r = WriteFileAtomically(strPath, bytes);
  if (!r.Ok())
    std::fprintf(stderr, "tarvik-report: cannot write %s: %s\n", strPath.c_str(), r.strReason.c_str());
  return r.Ok();
}

// The printed report's pages at 300 dpi on A4, the print dialog's text size.
constexpr int kPdfWidth = 2480, kPdfHeight = 3508, kPdfLine = kPdfHeight / 80;

std::string ReportPdf(const SeriesAssessment &a, const std::vector<CSampleArray> &parts,
                      const std::vector<std::size_t> &order, const std::vector<std::string> &names,
                      const CReportOptions &o) {
  // the curve runs over the files in time order, as one set
  CSampleStore joined;
  if (parts.size() > 1)
    for (std::size_t i : order)
      for (std::size_t k = 0; k < parts[i].GetSize(); ++k)
        joined.Add(parts[i].GetAt(k));
  const CSampleArray samples = parts.size() == 1 ? parts[0] : CSampleArray(joined);
  ReportInfo info{o.strTitle, o.strPlace, o.strOperator, o.strNotes, {}};
  for (std::size_t i : order)
    info.strSource += (info.strSource.empty() ? "" : ", ") + names[i];
  return PdfFromPages(LayoutAssessmentReport(a, samples, info, kPdfWidth, kPdfHeight, kPdfLine), kPdfWidth,
                      kPdfHeight, kPdfLine);
}
} // namespace

int main(int argc, char **argv) {
  const CReportOptionsResult parsed = ParseReportOptions(argc, argv);
  if (!parsed.Ok()) {
    std::fprintf(stderr, "tarvik-report: %s\n%s", parsed.strError.c_str(), ReportUsage().c_str());
    return kReportUsage;
  }
  const CReportOptions &o = parsed.options;
  if (o.bHelp) {
    std::fputs(ReportUsage().c_str(), stdout);
    return kReportDone;
  }
  if (o.bVersion) {
    std::printf("tarvik-report %s\n", kTarvikVersion);
    return kReportDone;
  }

  // Each file alone; a file that cannot be read is named and left out.
  std::vector<CTextDataContent> contents;
  std::vector<std::string> names;
  for (const std::string &path : o.files) {
    CTextDataContent c = ReadTextDataContent(path);
    if (c.result.status == CFileResult::Status::WrongFormat) {
      std::fprintf(stderr, "tarvik-report: %s: not a Tarvik data file\n", path.c_str());
      continue;
    }
    if (!c.result.Ok()) {
      std::fprintf(stderr, "tarvik-report: %s: %s\n", path.c_str(), c.result.strReason.c_str());
      continue;
    }
    if (const std::string skipped = SkippedLinesMessage(c); !skipped.empty())
      std::fprintf(stderr, "tarvik-report: %s: %s\n", path.c_str(), skipped.c_str());
    contents.push_back(std::move(c));
    names.push_back(path);
  }
  std::vector<CSampleArray> parts;
  for (const CTextDataContent &c : contents)
    parts.emplace_back(c.samples);
  std::vector<std::size_t> order;
  const SeriesAssessment a = AssessSeries(parts, o.settings, &order);
  if (a.nSamples == 0) {
    std::fputs("tarvik-report: no readable samples\n", stderr);
    return kReportNoSamples;
  }

  bool bWritten = true;
  if (!o.strCsvPeriods.empty())
    bWritten = WriteFile(o.strCsvPeriods, PeriodsCsv(a.periods)) && bWritten;
  if (!o.strCsvEvents.empty())
    bWritten = WriteFile(o.strCsvEvents, EventsCsv(a.events)) && bWritten;
  if (!o.strPdf.empty())
    bWritten = WriteFile(o.strPdf, ReportPdf(a, parts, order, names, o)) && bWritten;
  if (o.bJson)
    std::printf("%s\n", AssessmentJson(a).c_str());
  if (o.SummaryOnly()) {
    std::vector<std::string> ordered;
    for (std::size_t i : order)
      if (!parts[i].IsEmpty())
        ordered.push_back(names[i]);
    std::fputs(ReportSummary(a, ordered).c_str(), stdout);
  }
  return bWritten ? kReportDone : kReportOutput;
}
