#include "kit/Prompts.h"
#include "kit/WaitCursor.h"
#include "print/PagePainter.h"
#include "kit/TrStd.h"
#include "print/PrintCommands.h"
#include "print/PrintFormat.h"
#include "print/PrintJob.h"
#include "print/PrintRX.h"
#include "print/PrintTexts.h"
#include "print/TableLayout.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

// The pages the user chose in the print dialog, clamped to the table.
struct PageSpan {
  int first = 1, last = 0;
};
PageSpan ChosenPages(const QPrinter &printer, int nPages) {
  PageSpan span{1, nPages};
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    span.first = printer.fromPage();
    span.last = std::min(printer.toPage() > 0 ? printer.toPage() : nPages, nPages);
  }
  return span;
}

} // namespace

PrintOutcome PrintTable(CPrintRX &job, const CSampleArray &samples, StatData stat, const PrintHost &host) {
  if (samples.IsEmpty())
    return PrintOutcome::Empty;
  if (job.SelectPrinter(host.prompts, host.parent) == -1)
    return PrintOutcome::Cancelled;
  QPrinter &printer = *job.Printer();
  const int W = printer.width();
  const int H = printer.height();
  const QFont font = MakePageFont(H / 80, &printer);
  const TableGeometry geom = MakeTableGeometry(W, H, PageLineHeight(font, &printer));
  const std::vector<PageImage> pages = LayoutTable(geom, samples, stat, PrintNow(host), TrStd);
  const PageSpan span = ChosenPages(printer, static_cast<int>(pages.size()));
  if (span.first > span.last) {
    job.Abandon();
    host.prompts.MessageBox(host.parent, Tr(PrintTexts::kNoPagesInRange).arg(static_cast<int>(pages.size())),
                            QString::fromUtf8(PrintTexts::kDocName), CPrompts::Buttons::Ok,
                            CPrompts::Icon::Warning);
    return PrintOutcome::NoPagesInRange;
  }
  if (!BeginPrintJob(job, host))
    return PrintOutcome::JobFailed;
  CWaitCursor wait;
  QPainter &painter = *job.Painter();
  painter.setFont(font);
  for (int n = span.first; n <= span.last; ++n) {
    job.BeginPage();
    PaintPage(painter, pages[static_cast<std::size_t>(n - 1)]);
    job.FinishPage();
  }
  job.FinishJob();
  return PrintOutcome::Printed;
}
