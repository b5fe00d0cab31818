#pragma once

#include "monitor/MyVomoView.h"
#include "records/SampleStore.h"
#include "res/DialogTemplate.h"
#include "support/FakeMeterLink.h"
#include "support/ScriptedPrompts.h"
#include "uikit/CommandRouter.h"
#include "uikit/DialogBuilder.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <gtest/gtest.h>
#include <thread>

// A view on the offscreen platform with scripted prompts, a scripted link
// and a clock the test moves.
class ViewFixture : public ::testing::Test {
protected:
  ViewFixture() {
    auto link = std::make_unique<CFakeMeterLink>();
    m_pLink = link.get();
    m_pView = std::make_unique<CMyVomoView>(m_stores, m_prompts, std::move(link));
    m_pView->SetClock([this] { return m_now; });
    m_pView->RegisterCommands(m_commands);
    for (int nId : {32771, 32772, 32773, 32791, 32815, 32816, 32786})
      m_commands.Add(nId, QString());
    m_pView->OnInitialUpdate();
  }

  // The meter has been heard now.
  void Hear() {
    m_pView->MeterState().m_tLastRecv = m_now;
    m_pView->OnChunk(QByteArray("\xa5\x0d", 2));
  }
  void SelectRate(const char *text) {
    QComboBox *c = Rate();
    c->setCurrentIndex(c->findText(QString::fromLatin1(text)));
  }
  QComboBox *Rate() const { return DlgItem<QComboBox>(m_pView.get(), 1007); }
  QString Field(int nId) const { return DlgItem<QLineEdit>(m_pView.get(), nId)->text(); }
  QString Label(int nId) const { return DlgItem<QLabel>(m_pView.get(), nId)->text(); }

  // Sampling ticks, each with a reading just decoded (the level the test set).
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      m_now += 1;
      CMeterState &st = m_pView->MeterState();
      st.m_tLastRecv = m_now;
      ++st.m_nFramesDecoded;
      st.m_tLastFrame = std::chrono::steady_clock::now();
      m_pView->OnTimer(CMyVomoView::TIMER_SAMPLE);
    }
  }
  bool Enabled(int nId) {
    m_commands.Update();
    return m_commands.Action(nId)->isEnabled();
  }

  std::time_t m_now = 1765000000; // 2025-12-06 05:46:40 UTC
  CDataStores m_stores;
  CScriptedPrompts m_prompts;
  CCommandRouter m_commands;
  CFakeMeterLink *m_pLink = nullptr;
  std::unique_ptr<CMyVomoView> m_pView;
};
