#include "kit/Prompts.h"
#include "forms/DialogTemplate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Shows a real message box, reads its buttons' labels and presses the one
// labelled `press`.
int AnswerBox(CPrompts::Buttons buttons, const QString &press, QStringList &labels) {
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
      return;
    answer.stop();
    for (QAbstractButton *b : box->buttons())
      labels << b->text();
    for (QAbstractButton *b : box->buttons())
      if (b->text() == press)
        b->click();
  });
  answer.start(10);
  CQtPrompts prompts;
  return prompts.MessageBox(nullptr, QStringLiteral("Recuperar?"), QStringLiteral("Tarvik"), buttons,
                            CPrompts::Icon::Question);
}

// The boxes speak Portuguese like the rest of the program, and each button
// still gives its answer.
TEST(QtPrompts, MessageBoxButtonsArePortugueseAndAnswer) {
  QStringList labels;
  EXPECT_EQ(AnswerBox(CPrompts::Buttons::YesNo, QString::fromUtf8("Não"), labels), IDNO);
  labels.sort();
  EXPECT_EQ(labels, (QStringList{QString::fromUtf8("Não"), QStringLiteral("Sim")}));
  labels.clear();
  EXPECT_EQ(AnswerBox(CPrompts::Buttons::YesNoCancel, QStringLiteral("Sim"), labels), IDYES);
  EXPECT_TRUE(labels.contains(QStringLiteral("Cancelar")));
  labels.clear();
  EXPECT_EQ(AnswerBox(CPrompts::Buttons::OkCancel, QStringLiteral("Cancelar"), labels), IDCANCEL);
}

} // namespace
