#include "PdfPages.h"
#include "support/ScriptedPrompts.h"

#include "graph/GraphMath.h"
#include "graph/GraphicsBtn.h"
#include "print/PrintCommands.h"
#include "print/PrintRX.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::time_t kNow = 1796607902; // 2026-12-07 01:45:02 UTC

class PrintGraphTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_prompts.m_makePrinter = [this] { return m_pdf.MakePrinter(); };
    SetDefaultView(m_state, 890, 330); // an 800 x 300 plot
  }

  void Fill(int n) {
    for (int k = 0; k < n; ++k) {
      m_store.Emplace(60.0 + k % 7, "07-12-2026,01:45:" + std::string(k < 10 ? "0" : "") + std::to_string(k),
                      "dBA", 0, 1.0);
      m_stat.AddSample(m_store[0], m_store[k], k + 1);
    }
    m_stat.dSampleRate = 1.0;
  }

  PrintOutcome Print() {
    return PrintGraph(m_job, m_state, CSampleArray(m_store), m_stat,
                      {m_prompts, nullptr, [] { return kNow; }});
  }

  // The page's line holding the first time label, squeezed.
  std::string TimeLine(const std::string &first) {
    const QStringList pages = m_pdf.Pages();
    EXPECT_EQ(pages.size(), 1);
    for (const QString &l : Lines(pages.value(0)))
      if (l.startsWith(QString::fromStdString(first)))
        return l.toStdString();
    return {};
  }

  CPdfPages m_pdf;
  CScriptedPrompts m_prompts;
  CPrintRX m_job;
  CSampleStore m_store;
  StatData m_stat;
  CGraphState m_state;
};

} // namespace

TEST_F(PrintGraphTest, PageShowsTitleDateStatisticsAndBothAxes) {
  Fill(21);
  ASSERT_EQ(Print(), PrintOutcome::Printed);
  EXPECT_EQ(m_pdf.Info("Title").toStdString(), "Vomo");
  const QStringList pages = m_pdf.Pages();
  ASSERT_EQ(pages.size(), 1);
  const QStringList lines = Lines(pages[0]);
  ASSERT_GT(lines.size(), 10);
  EXPECT_EQ(lines[0].toStdString(), "Krzywa w czasie rzeczywistym");
  EXPECT_EQ(lines[1].toStdString(), "Czas: 2026-12-7 1:45:2");
  EXPECT_EQ(lines[2].toStdString(), "130.0");
  for (const char *level : {"117.0", "65.0", "13.0", "0.0"})
    EXPECT_TRUE(lines.contains(level)) << level;
  EXPECT_EQ(TimeLine("01:45:00"), "01:45:00 01:45:04 01:45:08 01:45:12 01:45:16 01:45:20");
  const int n = static_cast<int>(lines.size());
  // The value starts where a label of average letters would end, so it may touch it.
  EXPECT_EQ(QString(lines[n - 11]).remove(' ').toStdString(), "Czasrozpoczęcia07-12-2026,01:45:00");
  EXPECT_EQ(lines[n - 10].toStdString(), "MAKS. 66.00 07-12-2026,01:45:06");
  EXPECT_EQ(lines[n - 9].toStdString(), "MIN. 60.00 07-12-2026,01:45:00");
  EXPECT_EQ(lines[n - 8].toStdString(), "Częstotliwość próbkowania 1.00");
  EXPECT_EQ(lines[n - 7].toStdString(), "Średnia 63.00");
  // Under them, the noise figures of the printed samples.
  std::string figures;
  for (int i = n - 6; i < n; ++i)
    figures += lines[i].toStdString() + "|";
  EXPECT_EQ(figures, "LAeq 63.5|L10 66.0|L50 63.0|L90 60.0|SEL 76.7|Czas trwania 0:00:21|");
}

TEST_F(PrintGraphTest, TimeLabelsFollowZoomAndScrollAndContinuePastTheData) {
  Fill(21);
  m_state.m_xScale = 0.0125; // ten samples across
  m_state.m_xOffset = 5;
  m_state.m_zoomed = 1.0;
  ASSERT_EQ(Print(), PrintOutcome::Printed);
  EXPECT_EQ(TimeLine("01:45:05"), "01:45:05 01:45:07 01:45:09 01:45:11 01:45:13 01:45:15");

  m_state.m_xOffset = 10;
  ASSERT_EQ(Print(), PrintOutcome::Printed);
  EXPECT_EQ(TimeLine("01:45:10"), "01:45:10 01:45:12 01:45:14 01:45:16 01:45:18 01:45:20");

  m_state.m_xOffset = 15; // ticks 3 to 5 fall past sample 20
  ASSERT_EQ(Print(), PrintOutcome::Printed);
  EXPECT_EQ(TimeLine("01:45:15"), "01:45:15 01:45:17 01:45:19 01:45:21 01:45:23 01:45:25");

  m_state.m_yScale = 0.1; // 30 dB across the plot, from 50 dB
  m_state.m_yOffset = 50;
  ASSERT_EQ(Print(), PrintOutcome::Printed);
  const QStringList lines = Lines(m_pdf.Pages().value(0));
  EXPECT_EQ(lines.value(2).toStdString(), "80.0");
  EXPECT_TRUE(lines.contains("50.0"));
  EXPECT_FALSE(lines.contains("130.0"));
}

TEST_F(PrintGraphTest, UnreadableTimeTextIsToldOnceAndNothingIsPrinted) {
  for (int k = 0; k < 3; ++k)
    m_store.Emplace(60.0, "no time here", "dBA", 0, 1.0);
  EXPECT_EQ(Print(), PrintOutcome::TimeFormatWrong);
  ASSERT_EQ(m_prompts.m_asked.size(), 1u);
  EXPECT_EQ(m_prompts.m_asked[0].text.toStdString(), "Time Format is wrong!");
  EXPECT_EQ(m_prompts.m_asked[0].caption.toStdString(), "Vomo");
  EXPECT_EQ(m_pdf.PrintersMade(), 0);
  EXPECT_FALSE(m_pdf.Written());
}

TEST_F(PrintGraphTest, EmptyArrayOrCancelledDialogPrintsNothing) {
  EXPECT_EQ(Print(), PrintOutcome::Empty);
  EXPECT_TRUE(m_prompts.m_asked.empty());
  Fill(5);
  m_prompts.m_makePrinter = [] { return std::unique_ptr<QPrinter>(); };
  EXPECT_EQ(Print(), PrintOutcome::Cancelled);
  EXPECT_FALSE(m_pdf.Written());
  EXPECT_EQ(m_prompts.Messages().size(), 0u);
}

// Printing from the control itself: after a box zoom and a scroll the page
// carries the labels the screen computes for that state.
TEST_F(PrintGraphTest, PrintsTheControlsOwnZoomedState) {
  QTemporaryDir config;
  const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  {
    QWidget window;
    CGraphicsBtn graph(m_prompts, &window);
    graph.resize(890, 330);
    graph.SetDefaultView();
    Fill(50);
    graph.DrawGraph(m_store);
    QTest::mousePress(&graph, Qt::LeftButton, {}, QPoint(200, 40));
    QTest::mouseMove(&graph, QPoint(500, 250));
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, QPoint(500, 250));
    ASSERT_EQ(graph.m_zoomed, 1.0);
    graph.m_xOffset += 3; // a scroll step as the host applies it
    graph.DrawGraph(m_store);

    ASSERT_EQ(PrintGraph(graph, graph.Samples(), m_stat, {m_prompts, &window, [] { return kNow; }}),
              PrintOutcome::Printed);
    const TimeAxisLabels screen = ComputeTimeLabels(graph, graph.Samples());
    ASSERT_EQ(screen.labels.size(), 6u);
    EXPECT_NE(screen.labels[0], "01:45:00");
    std::string want;
    for (const std::string &l : screen.labels)
      want += (want.empty() ? "" : " ") + l;
    EXPECT_EQ(TimeLine(screen.labels[0]), want);
  }
  qputenv("XDG_CONFIG_HOME", oldConfig);
}
