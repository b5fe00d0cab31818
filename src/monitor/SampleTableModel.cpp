#include "monitor/SampleTableModel.h"

#include "records/SampleStore.h"

int CSampleTableModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : m_nRows;
}

int CSampleTableModel::columnCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : 4;
}

QVariant CSampleTableModel::data(const QModelIndex &index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_nRows)
    return {};
  const CObjData &rec = m_store[static_cast<std::size_t>(index.row())];
  switch (index.column()) {
  case 0:
    return QString::number(index.row() + 1);
  case 1:
    return QString::fromStdString(rec.m_strTime);
  case 2:
    return QString::fromStdString(rec.m_strUnit);
  case 3:
    return QString::asprintf("%.2f", rec.m_dValue);
  default:
    return {};
  }
}

QVariant CSampleTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal)
    return {};
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
  if (role != Qt::DisplayRole)
    return {};
  switch (section) {
  case 0:
    return QStringLiteral("ID");
  case 1:
    return QStringLiteral("Data, czas");
  case 2:
    return QStringLiteral("Jednostka");
  case 3:
    return QStringLiteral("Wartość");
  default:
    return {};
  }
}

void CSampleTableModel::SyncAppended() {
  const int n = static_cast<int>(m_store.GetSize());
  if (n < m_nRows) {
    Reset();
    return;
  }
  if (n == m_nRows)
    return;
  beginInsertRows({}, m_nRows, n - 1);
  m_nRows = n;
  endInsertRows();
}

void CSampleTableModel::Reset() {
  beginResetModel();
  m_nRows = static_cast<int>(m_store.GetSize());
  endResetModel();
}
