#include "kit/Prompts.h"
#include "kit/WaitCursor.h"
#include "print/PagePainter.h"
#include "kit/TrStd.h"
#include "print/PrintCommands.h"
#include "print/PrintJob.h"
#include "print/PrintRX.h"
#include "print/PrintTexts.h"

#include "graph/GraphMath.h"

#include <QPainter>
#include <QPrinter>

PrintOutcome PrintGraph(CPrintRX &job, const CGraphState &state, const CSampleArray &samples, StatData stat,
                        const PrintHost &host) {
  if (samples.IsEmpty() || !HasPlot(state))
    return PrintOutcome::Empty;
  // The labels do not depend on the paper: an unreadable time text is found
  // before the user picks a printer, and no half page ever goes out.
  const TimeAxisLabels labels = ComputeTimeLabels(state, samples);
  if (labels.Failed()) {
    host.prompts.MessageBox(host.parent, Tr(PrintTexts::kTimeFormatWrong),
                            QString::fromUtf8(PrintTexts::kDocName), CPrompts::Buttons::Ok);
    return PrintOutcome::TimeFormatWrong;
  }
  if (job.SelectPrinter(host.prompts, host.parent) == -1)
    return PrintOutcome::Cancelled;
  QPrinter &printer = *job.Printer();
  const QFont font = MakePageFont(printer.height() / 80, &printer);
  GraphPageGeometry geom;
  if (!MakeGraphPageGeometry(printer.width(), printer.height(), PageLineHeight(font, &printer), state,
                             geom)) {
    job.Abandon();
    host.prompts.MessageBox(host.parent, Tr(PrintTexts::kPageTooSmall),
                            QString::fromUtf8(PrintTexts::kDocName), CPrompts::Buttons::Ok,
                            CPrompts::Icon::Warning);
    return PrintOutcome::JobFailed;
  }
  geom.nCurvePen = PenPixels(kCurvePenMm, printer.resolution());
  if (!BeginPrintJob(job, host))
    return PrintOutcome::JobFailed;
  CWaitCursor wait;
  QPainter &painter = *job.Painter();
  painter.setFont(font);
  job.BeginPage();
  PrintGraphPage(painter, geom, state, samples, stat, labels, PrintNow(host));
  job.FinishPage();
  job.FinishJob();
  return PrintOutcome::Printed;
}

void PrintGraphPage(QPainter &painter, const GraphPageGeometry &g, const CGraphState &state,
                    const CSampleArray &samples, const StatData &stat, const TimeAxisLabels &labels,
                    const PrintTime &now) {
  if (samples.IsEmpty())
    return;
  const PageImage page = LayoutGraphPage(
      g, state, samples, stat, labels, now,
      [&](const std::string &text) { return PageTextWidth(painter, text); }, TrStd);
  PaintPage(painter, page);
}
