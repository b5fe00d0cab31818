#pragma once

#include <QString>

// The style of the program's lists: grid lines between cells, and a selected
// row whose text reads on every widget style: white on a dark blue, well
// above the 4.5:1 contrast that small text needs. The platform's own
// highlight is often a light blue that white text barely stands out from.
inline QString ListStyleSheet() {
  return QStringLiteral(
      "QTreeView::item { border-right: 1px solid #d0d0d0; border-bottom: 1px solid #d0d0d0; }"
      "QTreeView::item:selected { color: #ffffff; background: #1d4f91; }"
      "QTableView { gridline-color: #d0d0d0; }"
      "QTableView::item:selected { color: #ffffff; background: #1d4f91; }");
}
