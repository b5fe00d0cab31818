#include "PdfPages.h"
#include "records/SampleArray.h"
#include "support/ScriptedPrompts.h"

#include "print/PagePainter.h"
#include "print/PrintCommands.h"
#include "print/PrintRX.h"
#include "print/TableLayout.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr std::time_t kNow = 1796607902; // 2026-12-07 01:45:02 UTC

class PrintTableTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_prompts.m_makePrinter = [this] { return m_pdf.MakePrinter(); };
  }

  PrintOutcome Print(const StatData &s = {}) {
    return PrintTable(m_job, CSampleArray(m_store), s, {m_prompts, nullptr, [] { return kNow; }});
  }

  void Fill(int n) {
    for (int k = 1; k <= n; ++k)
      m_store.Emplace(50.0 + k / 100.0,
                      "07-12-2026,01:" + QString::number(k / 60).rightJustified(2, '0').toStdString() + ":" +
                          QString::number(k % 60).rightJustified(2, '0').toStdString(),
                      "dBA", 0, 1.0);
  }

  // Rows per page as the job measures them on this printer.
  int RowsPerPage() {
    CPdfPages scratch;
    auto printer = scratch.MakePrinter();
    const QFont font = MakePageFont(printer->height() / 80, printer.get());
    return MakeTableGeometry(printer->width(), printer->height(), PageLineHeight(font, printer.get())).R;
  }

  CPdfPages m_pdf;
  CScriptedPrompts m_prompts;
  CPrintRX m_job;
  CSampleStore m_store;
};

} // namespace

TEST_F(PrintTableTest, FirstRowSitsUnderTheHeadingsWithStatisticsAbove) {
  m_store.Emplace(62.3, "07-12-2026,01:45:03", "dBA", 0, 0.5);
  m_store.Emplace(64.456, "07-12-2026,01:45:04", "dBC", 0, 0.5);
  StatData s;
  s.AddSample(CSampleArray(m_store), 0);
  s.AddSample(CSampleArray(m_store), 1);
  s.dSampleRate = 0.5;
  ASSERT_EQ(Print(s), PrintOutcome::Printed);
  EXPECT_EQ(m_pdf.Info("Title"), "Vomo");
  const QStringList pages = m_pdf.Pages();
  ASSERT_EQ(pages.size(), 1);
  const QStringList lines = Lines(pages[0]);
  ASSERT_EQ(lines.size(), 10);
  EXPECT_EQ(lines[0].toStdString(), "Tabela");
  EXPECT_EQ(lines[1].toStdString(), "Czas rozpoczęcia 07-12-2026,01:45:03");
  EXPECT_EQ(lines[2].toStdString(), "MAKS. 64.46 07-12-2026,01:45:04");
  EXPECT_EQ(lines[3].toStdString(), "MIN. 62.30 07-12-2026,01:45:03");
  EXPECT_EQ(lines[4].toStdString(), "Średnia 63.38");
  EXPECT_EQ(lines[5].toStdString(), "Częstotliwość próbkowania 0.50");
  EXPECT_EQ(lines[6].toStdString(), "ID Data, czas Jednostka Wartość");
  EXPECT_EQ(lines[7].toStdString(), "1 07-12-2026,01:45:03 dBA 62.30");
  EXPECT_EQ(lines[8].toStdString(), "2 07-12-2026,01:45:04 dBC 64.46");
  EXPECT_EQ(lines.back().toStdString(), "Time: 2026-12-7 1:45:2 Page -1-");
}

TEST_F(PrintTableTest, PageOneHoldsRMinus7RowsAndTheNextRowEndsIt) {
  const int R = RowsPerPage();
  ASSERT_GT(R, 20);
  Fill(R - 7);
  ASSERT_EQ(Print(), PrintOutcome::Printed);
  QStringList pages = m_pdf.Pages();
  ASSERT_EQ(pages.size(), 1);
  QStringList lines = Lines(pages[0]);
  EXPECT_TRUE(lines[lines.size() - 2].startsWith(QString::number(R - 7) + " "))
      << lines[lines.size() - 2].toStdString();
  EXPECT_TRUE(lines.back().endsWith("Page -1-"));

  m_store.RemoveAll();
  Fill(R - 6);
  ASSERT_EQ(Print(), PrintOutcome::Printed);
  pages = m_pdf.Pages();
  ASSERT_EQ(pages.size(), 2);
  lines = Lines(pages[0]);
  EXPECT_TRUE(lines[lines.size() - 2].startsWith(QString::number(R - 6) + " "));
  EXPECT_TRUE(lines.back().endsWith("Page -1-"));
  const QStringList second = Lines(pages[1]);
  ASSERT_EQ(second.size(), 3);
  EXPECT_EQ(second[0].toStdString(), "Tabela");
  EXPECT_EQ(second[1].toStdString(), "ID Data, czas Jednostka Wartość");
  EXPECT_TRUE(second[2].endsWith("Page -2-"));
}

TEST_F(PrintTableTest, ContinuationPageStartsWithTheNextRowNeverRepeatingOne) {
  const int R = RowsPerPage();
  Fill(R - 6 + 2);
  ASSERT_EQ(Print(), PrintOutcome::Printed);
  const QStringList pages = m_pdf.Pages();
  ASSERT_EQ(pages.size(), 2);
  const QStringList second = Lines(pages[1]);
  ASSERT_EQ(second.size(), 5);
  EXPECT_EQ(second[1].toStdString(), "ID Data, czas Jednostka Wartość");
  EXPECT_TRUE(second[2].startsWith(QString::number(R - 5) + " ")) << second[2].toStdString();
  EXPECT_TRUE(second[3].startsWith(QString::number(R - 4) + " "));
  EXPECT_FALSE(pages[1].contains(QString::number(50.0 + (R - 6) / 100.0, 'f', 2)));
}

TEST_F(PrintTableTest, EmptyArrayAsksNothingAndCancelPrintsNothing) {
  EXPECT_EQ(Print(), PrintOutcome::Empty);
  EXPECT_TRUE(m_prompts.m_asked.empty());

  Fill(3);
  m_prompts.m_makePrinter = [] { return std::unique_ptr<QPrinter>(); };
  EXPECT_EQ(Print(), PrintOutcome::Cancelled);
  EXPECT_FALSE(m_pdf.Written());
  EXPECT_TRUE(m_prompts.Messages().empty());
}

TEST_F(PrintTableTest, UnwritableOutputTellsTheUser) {
  Fill(3);
  m_prompts.m_makePrinter = [this] {
    auto p = m_pdf.MakePrinter();
    p->setOutputFileName("/nonexistent-dir/out.pdf");
    return p;
  };
  EXPECT_EQ(Print(), PrintOutcome::JobFailed);
  ASSERT_EQ(m_prompts.Messages().size(), 1u);
  EXPECT_FALSE(m_job.HasPrinter());
}

TEST_F(PrintTableTest, PageRangeFromTheDialogIsHonoured) {
  const int R = RowsPerPage();
  Fill(R - 6 + R + 3); // three pages
  auto chosen = [this](int from, int to) {
    m_prompts.m_makePrinter = [this, from, to] {
      auto p = m_pdf.MakePrinter();
      p->setPrintRange(QPrinter::PageRange);
      p->setFromTo(from, to);
      return p;
    };
  };
  chosen(2, 2);
  ASSERT_EQ(Print(), PrintOutcome::Printed);
  QStringList pages = m_pdf.Pages();
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(Lines(pages[0]).back().endsWith("Page -2-"));
  EXPECT_TRUE(Lines(pages[0])[2].startsWith(QString::number(R - 5) + " "));

  chosen(2, 9); // past the end: up to the last page
  ASSERT_EQ(Print(), PrintOutcome::Printed);
  pages = m_pdf.Pages();
  ASSERT_EQ(pages.size(), 2);
  EXPECT_TRUE(Lines(pages[1]).back().endsWith("Page -3-"));

  QFile::remove(m_pdf.Path());
  chosen(4, 5);
  EXPECT_EQ(Print(), PrintOutcome::NoPagesInRange);
  EXPECT_FALSE(m_pdf.Written());
  ASSERT_EQ(m_prompts.Messages().size(), 1u);
  EXPECT_TRUE(m_prompts.Messages()[0].contains("3 pages"));
}
