#include "kit/Mnemonics.h"

#include "forms/Mnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {
template <class T, class Get, class Set> void Mark(const QList<T *> &items, Get get, Set set) {
  std::vector<std::string> texts;
  for (T *item : items)
    texts.push_back(get(item).toStdString());
  const std::vector<std::string> marked = WithMnemonics(texts);
  for (qsizetype i = 0; i < items.size(); ++i)
    set(items[i], QString::fromStdString(marked[static_cast<std::size_t>(i)]));
}

void MarkMenu(const QList<QAction *> &actions) {
  QList<QAction *> items;
  for (QAction *a : actions)
    if (!a->isSeparator())
      items << a;
  Mark(
      items, [](QAction *a) { return a->text(); }, [](QAction *a, const QString &t) { a->setText(t); });
  for (QAction *a : items)
    if (QMenu *m = a->menu())
      MarkMenu(m->actions());
}
} // namespace

void AssignMnemonics(QMenuBar &bar) {
  MarkMenu(bar.actions());
}

void AssignButtonMnemonics(const QList<QAbstractButton *> &buttons) {
  Mark(
      buttons, [](QAbstractButton *b) { return b->text(); },
      [](QAbstractButton *b, const QString &t) {
        if (!b->text().isEmpty())
          b->setText(t);
      });
}
