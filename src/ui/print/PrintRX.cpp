#include "print/PrintRX.h"

#include "kit/Prompts.h"
#include "print/PrintTexts.h"

#include <QPainter>
#include <QPrinter>

CPrintRX::CPrintRX() = default;

CPrintRX::~CPrintRX() {
  // A job still open when the command unwinds is closed so the spooler or
  // the file is never left half written.
  if (m_pPainter && m_pPainter->isActive())
    m_pPainter->end();
}

int CPrintRX::SelectPrinter(CPrompts &prompts, QWidget *parent) {
  Abandon();
  m_pPrinter = prompts.SelectPrinter(parent);
  if (m_pPrinter && !m_pPrinter->isValid())
    m_pPrinter.reset();
  if (!m_pPrinter)
    return -1;
  m_nWidth = m_pPrinter->width();
  m_nHeight = m_pPrinter->height();
  return 0;
}

int CPrintRX::BeginJob() {
  if (!m_pPrinter)
    return -1;
  m_pPrinter->setDocName(QString::fromUtf8(PrintTexts::kDocName));
  m_nWidth = m_pPrinter->width();
  m_nHeight = m_pPrinter->height();
  m_nPages = 0;
  m_pPainter = std::make_unique<QPainter>();
  if (!m_pPainter->begin(m_pPrinter.get())) {
    m_pPainter.reset();
    m_pPrinter.reset();
    return -1;
  }
  return 0;
}

int CPrintRX::BeginPage() {
  if (!m_pPainter)
    return -1;
  // The painter opened the first page when the job began.
  if (m_nPages > 0 && !m_pPrinter->newPage())
    return -1;
  ++m_nPages;
  return 0;
}

int CPrintRX::FinishPage() {
  return m_pPainter ? 0 : -1;
}

int CPrintRX::FinishJob() {
  int rc = -1;
  if (m_pPainter) {
    rc = m_pPainter->end() ? 0 : -1;
    m_pPainter.reset();
  }
  m_pPrinter.reset();
  return rc;
}

void CPrintRX::Abandon() {
  if (m_pPainter && m_pPainter->isActive())
    m_pPainter->end();
  m_pPainter.reset();
  m_pPrinter.reset();
}
