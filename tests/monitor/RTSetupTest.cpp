#include "monitor/RTSetup.h"
#include "forms/ControlIds.h"
#include "kit/DialogBuilder.h"
#include "support/ScriptedPrompts.h"

#include <QPrinter>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct RTSetupFixture : ::testing::Test {
  RTSetupFixture() {
    dlg.SetClock([this] { return now; });
  }
  QString Text(int nId) { return DlgItem<QLineEdit>(&dlg, nId)->text(); }
  QComboBox *Rate() { return DlgItem<QComboBox>(&dlg, SetupIds::kRate); }
  void Type(const QString &text) {
    QLineEdit *e = DlgItem<QLineEdit>(&dlg, SetupIds::kSamples);
    e->selectAll();
    if (text.isEmpty())
      QTest::keyClick(e, Qt::Key_Delete);
    else
      QTest::keyClicks(e, text);
  }

  std::time_t now = 1765000000; // 2025-12-06 05:46:40 UTC
  CScriptedPrompts prompts;
  CRTSetup dlg{prompts};
};

TEST_F(RTSetupFixture, DurationInWordsFirstThenAsClock) {
  dlg.m_nSamples = 40000;
  dlg.OnInitDialog();
  EXPECT_EQ(dlg.windowTitle(), "Configuração registro");
  EXPECT_EQ(DlgItem<QPushButton>(&dlg, 1)->text(), "&Iniciar");
  EXPECT_EQ(DlgItem<QPushButton>(&dlg, 2)->text(), "&Anular");
  EXPECT_EQ(Text(SetupIds::kSamples), "40000");
  ASSERT_EQ(Rate()->count(), 10);
  EXPECT_EQ(Rate()->itemText(3), "1.0");
  EXPECT_EQ(Rate()->itemText(9), "10.0");
  EXPECT_EQ(Rate()->currentText(), "0.5");
  EXPECT_EQ(Text(SetupIds::kDuration), "5 hour 33 minute 20 second");
  EXPECT_EQ(Text(SetupIds::kStart), "2025-12-6,5:46:40");
  EXPECT_EQ(Text(SetupIds::kEnd), "2025-12-6,11:20:0"); // 20000 s later
  EXPECT_EQ(dlg.Timers().Interval(CRTSetup::TIMER_REFRESH), 1000);
  now += 1;
  dlg.OnTimer(CRTSetup::TIMER_REFRESH);
  EXPECT_EQ(Text(SetupIds::kDuration), "5:33:20");
  EXPECT_EQ(Text(SetupIds::kStart), "2025-12-6,5:46:41");
  EXPECT_EQ(Text(SetupIds::kEnd), "2025-12-6,11:20:1");
}

TEST_F(RTSetupFixture, RateChoiceAndCountChangeTheDuration) {
  dlg.m_nSamples = 40000;
  dlg.OnInitDialog();
  Rate()->setCurrentIndex(9);
  emit Rate()->activated(9);
  EXPECT_EQ(Text(SetupIds::kDuration), "111:6:40");
  Rate()->setCurrentIndex(0);
  emit Rate()->activated(0);
  Type("1");
  EXPECT_EQ(dlg.m_nSamples, 1);
  EXPECT_EQ(Text(SetupIds::kDuration), "0:0:0");
  EXPECT_EQ(Text(SetupIds::kStart), Text(SetupIds::kEnd));
  EXPECT_TRUE(prompts.m_asked.empty());
}

TEST_F(RTSetupFixture, InvalidCountsAreRefusedWithTheirMessages) {
  dlg.m_nSamples = 100;
  dlg.OnInitDialog();
  Type("40001");
  ASSERT_FALSE(prompts.Messages().empty());
  EXPECT_EQ(prompts.Messages().back(), "Enter an integer between 1 and 40000.");
  EXPECT_EQ(dlg.m_nSamples, 4000); // the last valid count while typing
  EXPECT_EQ(Text(SetupIds::kSamples), "4000");
  prompts.m_asked.clear();
  Type("0");
  EXPECT_EQ(prompts.Messages(), std::vector<QString>{"Enter an integer between 1 and 40000."});
  prompts.m_asked.clear();
  Type("");
  EXPECT_EQ(prompts.Messages(), std::vector<QString>{"Enter an integer."});
  EXPECT_EQ(Text(SetupIds::kSamples), "4000");
}

TEST_F(RTSetupFixture, IniciarReturnsCountAndRateOnlyWhenValid) {
  dlg.m_nSamples = 40000;
  dlg.OnInitDialog();
  DlgItem<QLineEdit>(&dlg, SetupIds::kSamples)->setText("abc"); // not through typing: checked on OK
  Rate()->setCurrentIndex(9);
  dlg.accept();
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_EQ(prompts.Messages().back(), "Enter an integer.");
  DlgItem<QLineEdit>(&dlg, SetupIds::kSamples)->setText("250");
  dlg.accept();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.m_nSamples, 250);
  EXPECT_EQ(dlg.m_nRateIndex, 9);
}

} // namespace

namespace {

TEST(RTSetupNames, FieldsCarryTheirLabelsForScreenReaders) {
  CScriptedPrompts prompts;
  CRTSetup dlg(prompts);
  const std::pair<int, const char *> names[] = {{SetupIds::kSamples, "Número Amostras"},
                                                {SetupIds::kRate, "Taxa de amostragem"},
                                                {SetupIds::kDuration, "Tempo de gravação"},
                                                {SetupIds::kStart, "Hora de início"},
                                                {SetupIds::kEnd, "Fim do tempo"},
                                                {1, "Iniciar"},
                                                {2, "Anular"}};
  for (auto [nId, name] : names) {
    QWidget *w = dlg.findChild<QWidget *>(CtlName(nId));
    ASSERT_NE(w, nullptr) << nId;
    EXPECT_EQ(w->accessibleName(), QString::fromUtf8(name)) << nId;
  }
}

} // namespace
