#include "kit/Prompts.h"
#include "forms/DialogTemplate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
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
    // The labels as shown, and the Alt letter of each ("&" before it).
    for (QAbstractButton *b : box->buttons())
      labels << b->text();
    for (QAbstractButton *b : box->buttons())
      if (QString(b->text()).remove(QLatin1Char('&')) == press)
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
  struct Case {
    CPrompts::Buttons buttons;
    const char *press;
    int nAnswer;
    QStringList labels; // sorted, with their Alt letters
  };
  const Case cases[] = {
      {CPrompts::Buttons::YesNo, "Não", IDNO, {"&Não", "&Sim"}},
      {CPrompts::Buttons::YesNoCancel, "Sim", IDYES, {"&Cancelar", "&Não", "&Sim"}},
      {CPrompts::Buttons::OkCancel, "Cancelar", IDCANCEL, {"&Cancelar", "&OK"}},
      {CPrompts::Buttons::SaveDiscardCancel,
       "Guardar…",
       CPrompts::IDSAVE,
       {"&Cancelar", "&Descartar", "&Guardar…"}},
      {CPrompts::Buttons::SaveDiscardCancel,
       "Descartar",
       CPrompts::IDDISCARD,
       {"&Cancelar", "&Descartar", "&Guardar…"}},
      {CPrompts::Buttons::SaveDiscardCancel, "Cancelar", IDCANCEL, {"&Cancelar", "&Descartar", "&Guardar…"}},
      {CPrompts::Buttons::DiscardCancel, "Descartar", CPrompts::IDDISCARD, {"&Cancelar", "&Descartar"}},
      {CPrompts::Buttons::RecoverDiscardCancel,
       "Recuperar",
       IDYES,
       {"&Cancelar", "&Descartar", "&Recuperar"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.press);
    QStringList labels;
    EXPECT_EQ(AnswerBox(c.buttons, QString::fromUtf8(c.press), labels), c.nAnswer);
    labels.sort();
    EXPECT_EQ(labels, c.labels);
  }
}

// Enter on a question that would throw data away keeps it.
TEST(QtPrompts, EnterOnADiscardingQuestionCancels) {
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
      answer.stop();
      QTest::keyClick(box, Qt::Key_Return);
    }
  });
  answer.start(10);
  CQtPrompts prompts;
  EXPECT_EQ(prompts.MessageBox(nullptr, QStringLiteral("Zapisz bieżące dane"), QStringLiteral("Tip"),
                               CPrompts::Buttons::SaveDiscardCancel, CPrompts::Icon::Question),
            IDCANCEL);
}

} // namespace
