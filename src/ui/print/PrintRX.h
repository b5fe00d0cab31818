#pragma once

#include <memory>

class CPrompts;
class QPainter;
class QPrinter;
class QWidget;

// One print job on the printer the user chose: the printer stays with the
// job object from selection until FinishJob. W and H are the page's
// printable size in device pixels, with the origin at its top-left corner.
class CPrintRX {
public:
  CPrintRX();
  virtual ~CPrintRX();
  CPrintRX(const CPrintRX &) = delete;
  CPrintRX &operator=(const CPrintRX &) = delete;

  // The print dialog through the prompts; -1 when the user cancelled.
  int SelectPrinter(CPrompts &prompts, QWidget *parent);
  // Starts the document "Vomo" and records the page size; -1 when the
  // printer or file cannot be opened (the printer is then released).
  int BeginJob();
  // -1 when the printer refused a new page; the job goes on.
  int BeginPage();
  int FinishPage();
  // Ends the document and releases the printer.
  int FinishJob();
  // Releases a chosen printer without printing anything.
  void Abandon();

  bool HasPrinter() const { return m_pPrinter != nullptr; }
  QPainter *Painter() const { return m_pPainter.get(); }
  QPrinter *Printer() const { return m_pPrinter.get(); }
  int Width() const { return m_nWidth; }
  int Height() const { return m_nHeight; }

private:
  std::unique_ptr<QPrinter> m_pPrinter;
  std::unique_ptr<QPainter> m_pPainter;
  int m_nWidth = 0;
  int m_nHeight = 0;
  int m_nPages = 0;
};
