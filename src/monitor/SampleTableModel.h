#pragma once

#include <QAbstractTableModel>

class CSampleStore;
class QTreeView;
class QWidget;

// The sample table's four columns over a store, without copying the
// records. The row count follows the store only when told, so the view
// announces every change in the order Qt expects.
class CSampleTableModel : public QAbstractTableModel {
  Q_OBJECT
public:
  static constexpr int kColumnWidths[4] = {70, 200, 80, 100};

  explicit CSampleTableModel(const CSampleStore &store, QObject *parent = nullptr)
      : QAbstractTableModel(parent), m_store(store) {}

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Records were appended to the store.
  void SyncAppended();
  // The store was emptied or replaced.
  void Reset();

private:
  const CSampleStore &m_store;
  int m_nRows = 0;
};

// The live table: a flat list of rows with grid lines over `model`.
QTreeView *MakeSampleTable(CSampleTableModel &model, QWidget *pParent);
