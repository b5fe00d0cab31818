#include "monitor/SampleTableModel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTableView>

#include "kit/ListStyle.h"
#include "records/SampleStore.h"

#include <chrono>

CSampleTableModel::CSampleTableModel(const CSampleStore &store, QObject *parent, MsClock clock)
    : QAbstractTableModel(parent), m_store(store), m_clock(std::move(clock)) {
  if (!m_clock)
    m_clock = [] {
      return std::chrono::duration_cast<std::chrono::milliseconds>(
                 std::chrono::steady_clock::now().time_since_epoch())
          .count();
    };
  m_batch.setSingleShot(true);
  connect(&m_batch, &QTimer::timeout, this, &CSampleTableModel::Flush);
}

QModelIndex CSampleTableModel::index(int row, int column, const QModelIndex &parent) const {
  if (parent.isValid() || row < 0 || row >= m_nRows || column < 0 || column >= 4)
    return {};
  return createIndex(row, column);
}

Qt::ItemFlags CSampleTableModel::flags(const QModelIndex &index) const {
  if (!index.isValid())
    return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

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
    return QCoreApplication::translate("MainWindow", "Data, czas");
  case 2:
    return QCoreApplication::translate("MainWindow", "Jednostka");
  case 3:
    return QCoreApplication::translate("MainWindow", "Wartość");
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
  if (n == m_nRows || m_batch.isActive())
    return;
  const std::int64_t now = m_clock();
  const std::int64_t since = now - m_nAnnouncedAt;
  if (n <= kImmediateRows || !m_bAnnounced || since >= kBatchMs || since < 0) {
    Announce();
    return;
  }
  m_batch.start(static_cast<int>(kBatchMs - since));
}

void CSampleTableModel::Flush() {
  m_batch.stop();
  const int n = static_cast<int>(m_store.GetSize());
  if (n < m_nRows)
    Reset();
  else if (n > m_nRows)
    Announce();
}

void CSampleTableModel::Announce() {
  const int n = static_cast<int>(m_store.GetSize());
  beginInsertRows({}, m_nRows, n - 1);
  m_nRows = n;
  endInsertRows();
  m_nAnnouncedAt = m_clock();
  m_bAnnounced = true;
  emit rowsAnnounced(n);
}

void CSampleTableModel::Reset() {
  m_batch.stop();
  beginResetModel();
  m_nRows = static_cast<int>(m_store.GetSize());
  endResetModel();
}

QTableView *MakeSampleTable(CSampleTableModel &model, QWidget *pParent) {
  auto *list = new QTableView(pParent);
  list->verticalHeader()->hide();
  list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 2);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setAlternatingRowColors(false);
  list->setWordWrap(false);
  list->setStyleSheet(ListStyleSheet());
  list->setModel(&model);
  list->horizontalHeader()->setStretchLastSection(false);
  list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return list;
}
