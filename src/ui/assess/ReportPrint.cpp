#include "assess/ReportPrint.h"

#include "kit/WaitCursor.h"
#include "print/PagePainter.h"
#include "kit/TrStd.h"
#include "print/PrintJob.h"
#include "print/PrintRX.h"

#include <QPainter>
#include <QPrinter>

PrintOutcome PrintAssessmentReport(const SeriesAssessment &a, const CSampleArray &samples,
                                   const ReportInfo &info, const PrintHost &host) {
  if (samples.IsEmpty())
    return PrintOutcome::Empty;
  CPrintRX job;
  if (job.SelectPrinter(host.prompts, host.parent) == -1)
    return PrintOutcome::Cancelled;
  QPrinter &printer = *job.Printer();
  const int W = printer.width(), H = printer.height();
  const QFont font = MakePageFont(H / 80, &printer);
  const std::vector<PageImage> pages =
      LayoutAssessmentReport(a, samples, info, W, H, PageLineHeight(font, &printer), TrStd);
  if (!BeginPrintJob(job, host))
    return PrintOutcome::JobFailed;
  CWaitCursor wait;
  QPainter &painter = *job.Painter();
  painter.setFont(font);
  for (const PageImage &page : pages) {
    job.BeginPage();
    PaintPage(painter, page);
    job.FinishPage();
  }
  job.FinishJob();
  return PrintOutcome::Printed;
}
