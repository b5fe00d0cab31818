#include "print/PrintJob.h"

#include "kit/Prompts.h"
#include "kit/TrStd.h"
#include "print/PrintFormat.h"
#include "print/PrintRX.h"
#include "print/PrintTexts.h"

#include <QPainter>

bool BeginPrintJob(CPrintRX &job, const PrintHost &host) {
  if (job.BeginJob() == -1) {
    host.prompts.MessageBox(host.parent, Tr(PrintTexts::kJobFailed), QString::fromUtf8(PrintTexts::kDocName),
                            CPrompts::Buttons::Ok, CPrompts::Icon::Warning);
    return false;
  }
  job.Painter()->setViewport(0, 0, job.Width(), job.Height());
  job.Painter()->setWindow(0, 0, job.Width(), job.Height());
  return true;
}

PrintTime PrintNow(const PrintHost &host) {
  return ToPrintTime(host.clock ? host.clock() : std::time(nullptr));
}

PrintOutcome PrintGraph(const CGraphState &state, const CSampleArray &samples, StatData stat,
                        const PrintHost &host) {
  CPrintRX job;
  return PrintGraph(job, state, samples, std::move(stat), host);
}

PrintOutcome PrintTable(const CSampleArray &samples, StatData stat, const PrintHost &host) {
  CPrintRX job;
  return PrintTable(job, samples, std::move(stat), host);
}
