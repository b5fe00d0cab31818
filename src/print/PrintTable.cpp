#include "app/Prompts.h"
#include "print/PagePainter.h"
#include "print/PrintCommands.h"
#include "print/PrintFormat.h"
#include "print/PrintJob.h"
#include "print/PrintRX.h"
#include "print/TableLayout.h"
#include "print/WaitCursor.h"

#include <QPainter>
#include <QPrinter>

PrintOutcome PrintTable(CPrintRX &job, const CSampleArray &samples, StatData stat, const PrintHost &host) {
  if (samples.IsEmpty())
    return PrintOutcome::Empty;
  if (job.SelectPrinter(host.prompts, host.parent) == -1)
    return PrintOutcome::Cancelled;
  CWaitCursor wait;
  if (!BeginPrintJob(job, host))
    return PrintOutcome::JobFailed;
  QPainter &painter = *job.Painter();
  const int W = job.Width();
  const int H = job.Height();
  painter.setFont(MakePageFont(H / 80, job.Printer()));
  const TableGeometry geom = MakeTableGeometry(W, H, PageLineHeight(painter));
  const std::vector<PageImage> pages = LayoutTable(geom, samples, stat, PrintNow(host));
  for (const PageImage &page : pages) {
    job.BeginPage();
    PaintPage(painter, page);
    job.FinishPage();
  }
  job.FinishJob();
  return PrintOutcome::Printed;
}
