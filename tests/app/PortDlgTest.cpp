#include "monitor/PortDlg.h"
#include "forms/ControlIds.h"
#include "kit/DialogBuilder.h"
#include "support/ScriptedPrompts.h"

#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(PortDlg, PresetRangeAndButtons) {
  CScriptedPrompts prompts;
  CPort dlg(prompts);
  dlg.m_nPort = 3;
  dlg.OnInitDialog();
  EXPECT_EQ(dlg.windowTitle(), "Porta");
  QLineEdit *e = DlgItem<QLineEdit>(&dlg, PortIds::kPort);
  EXPECT_EQ(e->text(), "3");
  EXPECT_EQ(e->accessibleName(), "Porta");
  EXPECT_EQ(DlgItem<QPushButton>(&dlg, IDOK)->text(), "&OK");
  EXPECT_EQ(DlgItem<QPushButton>(&dlg, IDCANCEL)->text(), "&Anular");

  e->setText("257");
  dlg.accept();
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_EQ(prompts.Messages().back(), "Enter an integer between 0 and 256.");
  EXPECT_EQ(dlg.m_nPort, 3u);
  e->setText("COM4");
  dlg.accept();
  EXPECT_EQ(prompts.Messages().back(), "Enter a positive integer.");
  e->setText("256"); // the upper bound is 256 itself
  dlg.accept();
  EXPECT_EQ(dlg.result(), QDialog::Accepted);
  EXPECT_EQ(dlg.m_nPort, 256u);
}

} // namespace
