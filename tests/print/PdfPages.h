#pragma once

#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A PDF "printer" at a fixed page size and resolution, and the text of the
// pages it wrote, read back by pdftotext with its layout kept.
class CPdfPages {
public:
  explicit CPdfPages(int dpi = 300, QPageSize size = QPageSize(QPageSize::A4)) : m_dpi(dpi), m_size(size) {
    m_path = m_dir.filePath(QStringLiteral("out.pdf"));
  }

  std::unique_ptr<QPrinter> MakePrinter() const {
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setResolution(m_dpi);
    p->setPageSize(m_size);
    p->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    p->setOutputFileName(m_path);
    ++m_made;
    return p;
  }

  const QString &Path() const { return m_path; }
  int PrintersMade() const { return m_made; }
  bool Written() const { return QFile::exists(m_path) && QFileInfo(m_path).size() > 0; }

  // Text of each page, in order.
  QStringList Pages() const {
    QProcess proc;
    proc.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), m_path, QStringLiteral("-")});
    proc.waitForFinished(30000);
    QString text = QString::fromUtf8(proc.readAllStandardOutput());
    QStringList pages = text.split(QChar('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty())
      pages.removeLast();
    return pages;
  }

  // A document property as pdfinfo reports it ("Title", "Pages").
  QString Info(const QString &key) const {
    QProcess proc;
    proc.start(QStringLiteral("pdfinfo"), {m_path});
    proc.waitForFinished(30000);
    for (const QString &line : QString::fromUtf8(proc.readAllStandardOutput()).split('\n'))
      if (line.startsWith(key + ':'))
        return line.mid(key.size() + 1).trimmed();
    return {};
  }

private:
  QTemporaryDir m_dir;
  QString m_path;
  int m_dpi;
  QPageSize m_size;
  mutable int m_made = 0;
};

// Non-empty lines of a page, with their runs of spaces squeezed to one.
inline QStringList Lines(const QString &page) {
  QStringList out;
  for (const QString &l : page.split('\n'))
    if (!l.trimmed().isEmpty())
      out << l.simplified();
  return out;
}
