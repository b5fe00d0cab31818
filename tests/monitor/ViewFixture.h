#pragma once

#include "app/AppOptions.h"
#include "app/MainFrame.h"
#include "app/TarvikApp.h"
#include "forms/DialogTemplate.h"
#include "kit/CommandRouter.h"
#include "kit/DialogBuilder.h"
#include "monitor/MyVomoView.h"
#include "records/SampleStore.h"
#include "support/FakeMeterLink.h"
#include "support/FakeSessionClock.h"
#include "support/ScriptedPrompts.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <gtest/gtest.h>
#include <thread>

// The program on the offscreen platform with scripted prompts, a scripted
// link and a clock the test moves; the view is its monitoring form.
class ViewFixture : public ::testing::Test {
protected:
  using S = CMeterSession;

  // The view is taken out of the frame, so tests size and show it alone.
  ViewFixture()
      : m_pApp(MakeApp()), m_stores(m_pApp->Stores()), m_commands(m_pApp->Frame().Commands()),
        m_pOwnedView(static_cast<CMyVomoView *>(m_pApp->Frame().takeCentralWidget())),
        m_pView(m_pOwnedView.get()) {
    m_pView->OnInitialUpdate();
  }

  CMeterSession &Session() { return m_pApp->Session(); }
  CMeterReading &Reading() { return Session().Reading(); }
  // The meter has been heard now.
  void Hear() {
    Session().Timing().m_tLastRecv = m_clock.m_wall;
    const std::uint8_t start[] = {0xa5, 0x0d};
    Session().OnChunk(start, sizeof start);
  }
  void Chunk(const QByteArray &bytes) {
    Session().OnChunk(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                      static_cast<std::size_t>(bytes.size()));
  }
  // Moves the clock to timer nId's deadline and fires what is due by then
  // (nothing when the timer is not running).
  void Fire(int nId) {
    if (std::optional<std::chrono::milliseconds> due = Session().Timers().Due(nId)) {
      m_clock.m_now = std::max(m_clock.m_now, *due);
      Session().Advance(m_clock.m_now);
    }
  }
  // The port found and opened: the silence check runs.
  void OpenPort(int nPort = 4) {
    m_pLink->m_bridgePorts = {nPort};
    Fire(S::TIMER_DISCOVER);
    Fire(S::TIMER_OPEN_PORT);
    ASSERT_TRUE(m_pLink->m_onChunk);
  }
  int IntervalMs(int nId) const {
    auto p = m_pApp->Session().Timers().Period(nId);
    return p ? static_cast<int>(p->count()) : -1;
  }
  bool Active(int nId) const { return m_pApp->Session().Timers().IsActive(nId); }
  void SelectRate(const char *text) {
    QComboBox *c = Rate();
    c->setCurrentIndex(c->findText(QString::fromLatin1(text)));
  }
  QComboBox *Rate() const { return DlgItem<QComboBox>(m_pView, 1007); }
  QString Field(int nId) const { return DlgItem<QLineEdit>(m_pView, nId)->text(); }
  QString Label(int nId) const { return DlgItem<QLabel>(m_pView, nId)->text(); }
  // Sampling ticks, a second apart on the calendar, each with a reading
  // just decoded (the level the test set).
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      m_clock.m_wall += 1;
      CLineTiming &st = Session().Timing();
      st.m_tLastRecv = m_clock.m_wall;
      if (std::optional<std::chrono::milliseconds> due = Session().Timers().Due(S::TIMER_SAMPLE)) {
        ++st.m_nFramesDecoded;
        st.m_tLastFrame = SteadyTime(std::chrono::duration_cast<SteadyTime::duration>(*due));
      }
      Fire(S::TIMER_SAMPLE);
    }
  }
  bool Enabled(int nId) {
    m_commands.Update();
    return m_commands.Action(nId)->isEnabled();
  }

  CFakeSessionClock m_clock;
  CScriptedPrompts m_prompts;
  CFakeMeterLink *m_pLink = nullptr;
  std::unique_ptr<CTarvikApp> m_pApp;
  CDataStores &m_stores;
  CCommandRouter &m_commands;
  std::unique_ptr<CMyVomoView> m_pOwnedView; // goes before the session it observes
  CMyVomoView *m_pView;

private:
  std::unique_ptr<CTarvikApp> MakeApp() {
    auto link = std::make_unique<CFakeMeterLink>();
    m_pLink = link.get();
    return std::make_unique<CTarvikApp>(AppOptions{}, m_prompts, std::move(link), m_clock);
  }
};
