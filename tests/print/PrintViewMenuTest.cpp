#include "PdfPages.h"
#include "monitor/ViewFixture.h"

#include "forms/CommandIds.h"
#include "graph/GraphicsBtn.h"
#include "graph/TimeLabels.h"

#include <QAction>

#include <algorithm>

namespace {

// The main window's two print items on samples of a real monitoring run.
class PrintViewMenuTest : public ViewFixture {
protected:
  void SetUp() override {
    m_prompts.m_makePrinter = [this] { return m_pdf.MakePrinter(); };
    Hear();
    SelectRate("1");
    m_pView->OnRun();
    Tick(4);
    m_pView->OnStop();
    ASSERT_EQ(m_stores.m_live.GetSize(), 4u);
  }
  QStringList Printed(int nId) {
    m_commands.Update();
    QAction *a = m_commands.Action(nId);
    EXPECT_TRUE(a && a->isEnabled());
    if (a)
      a->trigger();
    return Lines(m_pdf.Pages().value(0));
  }
  CPdfPages m_pdf;
};

} // namespace

TEST_F(PrintViewMenuTest, TableItemPrintsTheRunsSamples) {
  const QStringList lines = Printed(cmd::ID_PRINT_TABLE);
  ASSERT_EQ(lines.size(), 12);
  EXPECT_EQ(lines[5].toStdString(), "Częstotliwość próbkowania 1.00");
  EXPECT_EQ(lines[6].toStdString(), "ID Data, czas Jednostka Wartość");
  const std::string first = lines[7].toStdString();
  EXPECT_EQ(first.substr(0, first.find(' ', 2)), "1 " + m_stores.m_live[0].m_strTime);
  EXPECT_TRUE(lines[10].startsWith("4 "));
  EXPECT_TRUE(lines[11].startsWith("Time: 2025-12-6 5:46:44")) << lines[11].toStdString();
}

TEST_F(PrintViewMenuTest, GraphItemPrintsTheViewsGraph) {
  const QStringList lines = Printed(cmd::ID_PRINT_GRAPH);
  ASSERT_GT(lines.size(), 8);
  EXPECT_EQ(lines[0].toStdString(), "Krzywa w czasie rzeczywistym");
  EXPECT_EQ(lines[1].toStdString(), "Czas: 2025-12-6 5:46:44");
  EXPECT_EQ(lines[lines.size() - 7].toStdString(),
            "Średnia " + QString::number(Session().Stat().dAverage, 'f', 2).toStdString());
  EXPECT_TRUE(lines.back().startsWith("Czas trwania ")); // the noise figures come last
  const TimeAxisLabels screen = ComputeTimeLabels(m_pView->Graph(), m_pView->Graph().Samples());
  ASSERT_FALSE(screen.Failed());
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const QString &l) {
    return l.startsWith(QString::fromStdString(screen.labels[0] + " " + screen.labels[1]));
  }));
}
