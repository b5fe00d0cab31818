#include "monitor/SampleTableModel.h"
#include "records/SampleStore.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct SampleTableModelTest : ::testing::Test {
  CSampleStore store;
  std::int64_t nNowMs = 1000;
  CSampleTableModel model{store, nullptr, [this] { return nNowMs; }};

  void Append(int n) {
    for (int i = 0; i < n; ++i)
      store.Emplace(60.0, "07-12-2026,01:45:03", "dBA", 0, 0.1);
  }
};

} // namespace

TEST_F(SampleTableModelTest, AShortTableTakesEveryRowAtOnce) {
  QSignalSpy announced(&model, &CSampleTableModel::rowsAnnounced);
  for (int i = 1; i <= 3; ++i) {
    Append(1);
    model.SyncAppended();
    EXPECT_EQ(model.rowCount(), i); // the same millisecond, still at once
  }
  EXPECT_EQ(announced.size(), 3);
  EXPECT_EQ(announced.back().at(0).toInt(), 3);
}

TEST_F(SampleTableModelTest, ALongTableTakesNewRowsAtMostEveryQuarterSecond) {
  Append(CSampleTableModel::kImmediateRows + 10);
  model.SyncAppended();
  ASSERT_EQ(model.rowCount(), CSampleTableModel::kImmediateRows + 10);
  QSignalSpy announced(&model, &CSampleTableModel::rowsAnnounced);
  nNowMs += 100;
  for (int i = 0; i < 5; ++i) {
    Append(1);
    model.SyncAppended();
  }
  EXPECT_EQ(model.rowCount(), CSampleTableModel::kImmediateRows + 10);
  EXPECT_TRUE(announced.isEmpty());
  // the batch comes by itself once the quarter second is over
  ASSERT_TRUE(QTest::qWaitFor([&] { return !announced.isEmpty(); }, 5000));
  EXPECT_EQ(model.rowCount(), CSampleTableModel::kImmediateRows + 15);
  EXPECT_EQ(announced.size(), 1);

  // after a quiet quarter second the next row is there at once
  nNowMs += CSampleTableModel::kBatchMs;
  Append(1);
  model.SyncAppended();
  EXPECT_EQ(model.rowCount(), CSampleTableModel::kImmediateRows + 16);

  // showing the table, or emptying the store, takes what waits at once
  nNowMs += 1;
  Append(2);
  model.SyncAppended();
  model.Flush();
  EXPECT_EQ(model.rowCount(), CSampleTableModel::kImmediateRows + 18);
  Append(1);
  model.SyncAppended();
  store.RemoveAll();
  model.Reset();
  EXPECT_EQ(model.rowCount(), 0);
  QTest::qWait(CSampleTableModel::kBatchMs + 50);
  EXPECT_EQ(model.rowCount(), 0); // no stale batch after the reset
}
