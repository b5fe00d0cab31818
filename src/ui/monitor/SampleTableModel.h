#pragma once

#include <QAbstractTableModel>
#include <QTimer>

#include <cstdint>
#include <functional>

class CSampleStore;
class QTableView;
class QWidget;

// The sample table's four columns over a store, without copying the
// records. The row count follows the store only when told, so the view
// announces every change in the order Qt expects. Each announcement costs
// the view a pass over its row positions and a repaint, so a long table
// takes new rows in batches at most every 250 ms instead of one per sample.
class CSampleTableModel : public QAbstractTableModel {
  Q_OBJECT
public:
  static constexpr int kColumnWidths[4] = {70, 200, 80, 100};

  static constexpr int kBatchMs = 250;
  // Up to this many rows a layout costs little: rows are announced at once.
  static constexpr int kImmediateRows = 20000;
  using MsClock = std::function<std::int64_t()>; // a steady clock in ms

  explicit CSampleTableModel(const CSampleStore &store, QObject *parent = nullptr, MsClock clock = {});

  // A flat list: index and flags answer without asking the row count again,
  // as the list asks them of every row when it lays them out.
  QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
  Qt::ItemFlags flags(const QModelIndex &index) const override;
  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Records were appended to the store: announced now or within 250 ms.
  void SyncAppended();
  // Announces what is still waiting, at once.
  void Flush();
  // The store was emptied or replaced.
  void Reset();

signals:
  // New rows are in the table; the last one is nRows - 1.
  void rowsAnnounced(int nRows);

private:
  void Announce();

  const CSampleStore &m_store;
  MsClock m_clock;
  QTimer m_batch;
  int m_nRows = 0;
  std::int64_t m_nAnnouncedAt = 0;
  bool m_bAnnounced = false;
};

// The live table: rows of one fixed height with grid lines over `model`, so
// showing it after a long run costs no pass over every row.
QTableView *MakeSampleTable(CSampleTableModel &model, QWidget *pParent);
