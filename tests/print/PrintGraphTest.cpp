#include "PdfPages.h"
#include "records/SampleArray.h"
#include "support/ScriptedPrompts.h"

#include "graph/GraphMath.h"
#include "graph/GraphicsBtn.h"
#include "print/PrintCommands.h"
#include "print/PrintRX.h"

#include <QImage>
#include <QRegularExpression>
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
      m_stat.AddSample(CSampleArray(m_store), k);
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
  // Each value stands apart from its label in the printer's own font.
  EXPECT_EQ(lines[n - 11].toStdString(), "Czas rozpoczęcia 07-12-2026,01:45:00");
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

namespace {

// Word boxes of the PDF's first page, in points, as pdftotext finds them.
struct WordBox {
  QString text;
  QRectF box;
};
std::vector<WordBox> Words(const QString &pdf) {
  QProcess proc;
  proc.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
  proc.waitForFinished(30000);
  const QString html = QString::fromUtf8(proc.readAllStandardOutput());
  static const QRegularExpression word(
      R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  std::vector<WordBox> out;
  for (auto it = word.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    out.push_back({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                         QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
  }
  return out;
}

// The page as a picture at `dpi`.
QImage Raster(const QString &pdf, int dpi) {
  QTemporaryDir dir;
  const QString base = dir.filePath(QStringLiteral("page"));
  QProcess proc;
  proc.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                                          QStringLiteral("-singlefile"), pdf, base});
  proc.waitForFinished(60000);
  return QImage(base + QStringLiteral(".png"));
}

bool IsCurveBlue(QRgb p) {
  return qBlue(p) > 160 && qRed(p) < 110 && qGreen(p) < 110;
}

} // namespace

TEST_F(PrintGraphTest, NoTextOverlapsAnotherOnThePage) {
  Fill(21);
  m_stat.strStartTime = "07-12-2026,01:45:00";
  ASSERT_EQ(Print(), PrintOutcome::Printed);
  const std::vector<WordBox> words = Words(m_pdf.Path());
  ASSERT_GT(words.size(), 30u);
  for (std::size_t i = 0; i < words.size(); ++i)
    for (std::size_t j = i + 1; j < words.size(); ++j) {
      // Lines of text may share a sliver of leading; words may not share ink.
      const QRectF a = words[i].box.adjusted(0.1, 1.0, -0.1, -1.0);
      const QRectF b = words[j].box.adjusted(0.1, 1.0, -0.1, -1.0);
      EXPECT_FALSE(a.intersects(b)) << words[i].text.toStdString() << " and " << words[j].text.toStdString();
    }
  // Each statistics label ends clearly before its value begins (text that
  // touches would read as one word).
  auto find = [&](const QString &text) {
    for (const WordBox &w : words)
      if (w.text == text)
        return w.box;
    ADD_FAILURE() << "no word " << text.toStdString();
    return QRectF();
  };
  const std::pair<const char *, const char *> pairs[] = {{"rozpoczęcia", "07-12-2026,01:45:00"},
                                                         {"MAKS.", "66.00"},
                                                         {"MIN.", "60.00"},
                                                         {"próbkowania", "1.00"},
                                                         {"Średnia", "63.00"}};
  for (const auto &[label, value] : pairs)
    EXPECT_GE(find(QString::fromUtf8(value)).left() - find(QString::fromUtf8(label)).right(), 2.0) << label;
}

TEST_F(PrintGraphTest, AZoomedCurveStaysInsideThePlotAndItsPenIsAtLeastAThirdOfAMillimetre) {
  // Peaks far above a 50..80 dB zoom, troughs below it.
  for (int k = 0; k < 21; ++k)
    m_store.Emplace(k % 4 == 0 ? 128.0 : (k % 4 == 2 ? 5.0 : 65.0),
                    "07-12-2026,01:45:" + std::string(k < 10 ? "0" : "") + std::to_string(k), "dBA", 0, 1.0);
  m_state.m_yScale = 0.1;
  m_state.m_yOffset = 50;
  m_state.m_zoomed = 1.0;
  ASSERT_EQ(Print(), PrintOutcome::Printed);
  const std::unique_ptr<QPrinter> printer = m_pdf.MakePrinter(); // the page's geometry, not printed on
  const int dpi = 150;
  const QImage page = Raster(m_pdf.Path(), dpi);
  ASSERT_FALSE(page.isNull());
  const double scale = double(dpi) / printer->resolution();
  const double margin = 10 / 25.4 * dpi;
  const int H = printer->height();
  const int top = int(margin + 4 * (H / 80) * scale), bottom = int(margin + (H / 2) * scale);
  int nBlue = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (IsCurveBlue(page.pixel(x, y))) {
        ++nBlue;
        ASSERT_GE(y, top - 2) << "curve above the plot at x " << x;
        ASSERT_LE(y, bottom + 2) << "curve below the plot at x " << x;
      }
  EXPECT_GT(nBlue, 100);

  // A flat stretch between grid lines: the line is as thick as 0.35 mm or more.
  m_store.RemoveAll();
  for (int k = 0; k < 21; ++k)
    m_store.Emplace(66.5, "07-12-2026,01:45:" + std::string(k < 10 ? "0" : "") + std::to_string(k), "dBA", 0,
                    1.0);
  ASSERT_EQ(Print(), PrintOutcome::Printed);
  const QImage flat = Raster(m_pdf.Path(), 300);
  int nThinnest = flat.height();
  // Columns between the markers, which sit on the line at every sample.
  for (int x = flat.width() * 2 / 5; x < flat.width() * 3 / 5; x += 7) {
    int nRun = 0, nBest = 0;
    for (int y = 0; y < flat.height(); ++y) {
      nRun = IsCurveBlue(flat.pixel(x, y)) ? nRun + 1 : 0;
      nBest = std::max(nBest, nRun);
    }
    if (nBest > 0)
      nThinnest = std::min(nThinnest, nBest);
  }
  EXPECT_GE(nThinnest, 4); // 0.35 mm at 300 dpi is 4.1 pixels
  EXPECT_LT(nThinnest, flat.height());
}
