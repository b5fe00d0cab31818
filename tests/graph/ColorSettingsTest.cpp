#include "GraphTestWindow.h"

#include "forms/ColorSetTemplate.h"
#include "graph/ColorSettings.h"
#include "graph/DlgColorSet.h"
#include "graph/GraphPainter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {
class ColorSettingsTest : public ::testing::Test {
protected:
  CTempConfigHome m_config;
  CScriptedPrompts m_prompts;

  QString Path() const { return ColorConfigPath(); }
  void WriteFile(const QByteArray &text) {
    QFile f(ColorConfigPath(true));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }
  QByteArray ReadFile() const {
    QFile f(Path());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Runs the colour command; `drive` acts on the open dialog.
  bool RunDialog(CGraphicsBtn &graph, std::function<void(CDlgColorSet &)> drive) {
    bool bSeen = false;
    QTimer::singleShot(0, [&] {
      auto *dlg = dynamic_cast<CDlgColorSet *>(QApplication::activeModalWidget());
      ASSERT_TRUE(dlg);
      bSeen = true;
      drive(*dlg);
    });
    const bool bOk = RunColorSettings(nullptr, m_prompts, graph);
    EXPECT_TRUE(bSeen);
    return bOk;
  }
  static void Click(CDlgColorSet &dlg, int nId) {
    auto *b = DlgItem<QPushButton>(&dlg, nId);
    ASSERT_TRUE(b);
    b->click();
  }
};
} // namespace

TEST_F(ColorSettingsTest, LocationIsTheUsersConfigFolder) {
  EXPECT_TRUE(Path().startsWith(m_config.Path()));
  EXPECT_TRUE(Path().endsWith("/ColorConfig.ini"));
  EXPECT_FALSE(QDir(QFileInfo(Path()).path()).exists());
  ColorConfigPath(true);
  EXPECT_TRUE(QDir(QFileInfo(Path()).path()).exists());
}

TEST_F(ColorSettingsTest, NewGraphReadsTheFile) {
  CGraphicsBtn plain(m_prompts);
  EXPECT_EQ(plain.m_bkColor, MakeGraphColor(0, 100, 100));
  EXPECT_EQ(plain.m_gridColor, MakeGraphColor(255, 0, 255));
  EXPECT_EQ(plain.m_lineColor, MakeGraphColor(0, 0, 255));
  WriteFile("[Vomo_LINECOLOR]\nRVALUE=300\nGVALUE=1\n");
  CGraphicsBtn graph(m_prompts);
  EXPECT_EQ(graph.m_lineColor, MakeGraphColor(44, 1, 255));
  EXPECT_EQ(graph.m_bkColor, MakeGraphColor(0, 100, 100));
  graph.resize(290, 230);
  graph.SetDefaultView();
  CSampleStore store;
  graph.DrawGraph(store);
  EXPECT_EQ(graph.Image().pixel(50, 15), qRgb(0, 100, 100));
}

TEST_F(ColorSettingsTest, OkWritesAllNineKeysAndAppliesTheColours) {
  CGraphicsBtn graph(m_prompts);
  graph.resize(290, 230);
  graph.SetDefaultView();
  m_prompts.m_colors.push_back(QColor(10, 20, 30));
  const bool bOk = RunDialog(graph, [](CDlgColorSet &dlg) {
    Click(dlg, IDC_CHOOSE_GRID);
    Click(dlg, IDOK);
  });
  EXPECT_TRUE(bOk);
  ASSERT_EQ(m_prompts.m_asked.size(), 1u);
  EXPECT_EQ(m_prompts.m_asked[0].kind, "color");
  EXPECT_EQ(m_prompts.m_asked[0].text, "#000000") << "the chooser opens on black";
  EXPECT_EQ(graph.m_gridColor, MakeGraphColor(10, 20, 30));
  EXPECT_EQ(ReadFile(), "[Vomo_BKCOLOR]\nRVALUE=0\nGVALUE=100\nBVALUE=100\n"
                        "[Vomo_GRIDCOLOR]\nRVALUE=10\nGVALUE=20\nBVALUE=30\n"
                        "[Vomo_LINECOLOR]\nRVALUE=0\nGVALUE=0\nBVALUE=255\n");
  EXPECT_EQ(CGraphicsBtn(m_prompts).m_gridColor, MakeGraphColor(10, 20, 30)) << "the next graph reads it";
}

TEST_F(ColorSettingsTest, CancelLeavesColoursAndFile) {
  CGraphicsBtn graph(m_prompts);
  m_prompts.m_colors.push_back(QColor(10, 20, 30));
  const bool bOk = RunDialog(graph, [](CDlgColorSet &dlg) {
    Click(dlg, IDC_CHOOSE_BK);
    EXPECT_EQ(dlg.Colors().bk, MakeGraphColor(10, 20, 30));
    Click(dlg, IDCANCEL);
  });
  EXPECT_FALSE(bOk);
  EXPECT_EQ(graph.m_bkColor, MakeGraphColor(0, 100, 100));
  EXPECT_FALSE(QFile::exists(Path()));
}

TEST_F(ColorSettingsTest, CancelledChooserKeepsTheRowColour) {
  WriteFile("[Vomo_LINECOLOR]\nBVALUE=128\n");
  CGraphicsBtn graph(m_prompts);
  m_prompts.m_colors.push_back(std::nullopt);
  RunDialog(graph, [](CDlgColorSet &dlg) {
    Click(dlg, IDC_CHOOSE_LINE);
    EXPECT_EQ(dlg.Colors().line, MakeGraphColor(0, 0, 128));
    Click(dlg, IDOK);
  });
  EXPECT_EQ(graph.m_lineColor, MakeGraphColor(0, 0, 128));
  EXPECT_TRUE(ReadFile().contains("[Vomo_LINECOLOR]\nBVALUE=128\nRVALUE=0\nGVALUE=0\n"));
}

TEST_F(ColorSettingsTest, SwatchesShowTheirColours) {
  CDlgColorSet dlg(m_prompts);
  dlg.SetColors({MakeGraphColor(1, 2, 3), MakeGraphColor(40, 50, 60), MakeGraphColor(200, 100, 0)});
  dlg.show();
  auto pixel = [&](int nId) {
    auto *l = DlgItem<QLabel>(&dlg, nId);
    EXPECT_TRUE(l);
    EXPECT_EQ(l->text(), QString(18, ' '));
    return l->grab().toImage().pixel(2, 2);
  };
  EXPECT_EQ(pixel(IDC_SWATCH_BK), qRgb(1, 2, 3));
  EXPECT_EQ(pixel(IDC_SWATCH_GRID), qRgb(40, 50, 60));
  EXPECT_EQ(pixel(IDC_SWATCH_LINE), qRgb(200, 100, 0));
  EXPECT_EQ(dlg.windowTitle(), "Configuração da cor");
  EXPECT_EQ(DlgItem<QPushButton>(&dlg, IDCANCEL)->text(), "&Anular");
}

TEST_F(ColorSettingsTest, FailedWriteIsReportedAndColoursStayApplied) {
  QDir().mkpath(ColorConfigPath(true)); // a folder where the file should be
  CGraphicsBtn graph(m_prompts);
  m_prompts.m_colors.push_back(QColor(9, 9, 9));
  RunDialog(graph, [](CDlgColorSet &dlg) {
    Click(dlg, IDC_CHOOSE_GRID);
    Click(dlg, IDOK);
  });
  EXPECT_EQ(graph.m_gridColor, MakeGraphColor(9, 9, 9));
  ASSERT_EQ(m_prompts.Messages().size(), 1u);
  EXPECT_TRUE(m_prompts.Messages()[0].startsWith("Não foi possível gravar as cores."));
}
