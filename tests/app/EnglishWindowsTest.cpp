#include "app/AppLanguage.h"
#include "app/MainFrame.h"
#include "forms/CommandIds.h"
#include "forms/ControlIds.h"
#include "forms/DialogTemplate.h"
#include "journal/OrphanJournals.h"
#include "kit/DialogBuilder.h"
#include "kit/TrStd.h"
#include "monitor/MeterStatus.h"
#include "monitor/PortDlg.h"
#include "monitor/RTSetup.h"
#include "records/SampleStore.h"
#include "support/ScriptedPrompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <gtest/gtest.h>

#include <set>

namespace {

QString Shown(QString text) {
  return text.remove(QLatin1Char('&'));
}

QStringList Labels(const QWidget &w) {
  QStringList out;
  for (const QLabel *l : w.findChildren<QLabel *>())
    if (!l->text().isEmpty())
      out << l->text();
  return out;
}

// With the English catalogue installed the main window, its dialogs and its
// messages speak English (menu titles, headings and the setup title are read
// under LANG by LanguageMatrix); what the journal keeps stays in the source texts.
TEST(EnglishWindows, MainWindowDialogsAndMessagesSpeakEnglish) {
  QString reason;
  AppTranslators en = InstallLanguage(ELanguage::English, reason);
  ASSERT_TRUE(en.own) << reason.toStdString();

  CDataStores stores;
  CScriptedPrompts prompts;
  {
    CMainFrame frame{stores, prompts};
    // The Alt letters are assigned to the English texts: one of its own for each item of a menu.
    auto altLetters = [](const QList<QAction *> &actions) {
      std::set<QChar> letters;
      int n = 0;
      for (const QAction *a : actions)
        if (!a->isSeparator()) {
          ++n;
          const qsizetype at = a->text().indexOf(QLatin1Char('&'));
          if (at >= 0 && at + 1 < a->text().size())
            letters.insert(a->text()[at + 1].toLower());
        }
      return static_cast<int>(letters.size()) == n;
    };
    EXPECT_TRUE(altLetters(frame.menuBar()->actions()));
    for (QAction *top : frame.menuBar()->actions())
      EXPECT_TRUE(!top->menu() || altLetters(top->menu()->actions())) << Shown(top->text()).toStdString();
    QStringList file;
    for (QAction *a : frame.menuBar()->actions().front()->menu()->actions())
      file << (a->isSeparator() ? QStringLiteral("-") : Shown(a->text()));
    EXPECT_EQ(file, (QStringList{"Open…", "Save As…", "Export to Excel…", "Print Graph…", "Print Table…", "-",
                                 "Exit"}));
    EXPECT_EQ(frame.Commands().Action(cmd::ID_DOWNLOAD)->statusTip(), "Run the record download");
    EXPECT_EQ(frame.ConnectionPane()->text(), "Looking for the meter…");
    frame.ShowRunEnded(ERunEnd::HoldSignal);
    EXPECT_EQ(frame.RunEndPane()->text(), "Measurement stopped by the meter's HOLD key");
    frame.ShowDownloadEnded(EDownloadEnd::HangUp);
    EXPECT_EQ(frame.statusBar()->currentMessage(), "The record download failed: The meter was unplugged.");

    frame.show();
    stores.m_live.Emplace(60.0, "01-01-2026,00:00:00", "dBA", 0, 1.0);
    prompts.m_answers = {IDCANCEL};
    EXPECT_FALSE(frame.close());
    ASSERT_EQ(prompts.m_asked.size(), 1u);
    EXPECT_EQ(prompts.m_asked[0].text, "Close Window?");
    EXPECT_EQ(prompts.m_asked[0].caption, "Tip");
  }

  CRTSetup setup(prompts);
  EXPECT_TRUE(Labels(setup).contains("Sample rate"));
  EXPECT_TRUE(Labels(setup).contains("Start time"));

  CPort port(prompts);
  EXPECT_EQ(port.windowTitle(), "Port");
  prompts.m_asked.clear();
  DlgItem<QLineEdit>(&port, PortIds::kPort)->setText("999");
  port.accept();
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0], "Enter an integer between 0 and 256.");

  // The recovery question translates the end reason the journal kept in its source text.
  journal::JournalContent c;
  c.samples.resize(2);
  c.samples[0].strTime = "01-01-2026,00:00:00";
  c.bEnded = true;
  c.strEndReason = RunEndText(ERunEnd::Silence);
  EXPECT_EQ(c.strEndReason, "Medição parada: o medidor deixou de enviar dados");
  EXPECT_EQ(RecoveryQuestion(c, TrStd),
            "Recover the interrupted measurement?\n2 samples, started "
            "01-01-2026,00:00:00\nMeasurement stopped: the meter stopped sending data");
  EXPECT_EQ(RecoveryQuestion(c), "Recuperar a medição interrompida?\n2 amostras, início "
                                 "01-01-2026,00:00:00\nMedição parada: o medidor deixou de enviar dados");
}

} // namespace
