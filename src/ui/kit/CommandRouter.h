#pragma once

#include <QAction>
#include <QObject>

#include <functional>
#include <map>

// One QAction per command id. Whoever implements a command registers its
// handler and its state rules here; Update() is the one place that applies
// them, so menus and toolbar always agree. A command without a handler is
// shown disabled.
class CCommandRouter : public QObject {
  Q_OBJECT
public:
  using Handler = std::function<void()>;
  using Predicate = std::function<bool()>;

  explicit CCommandRouter(QObject *parent = nullptr) : QObject(parent) {}

  QAction *Add(int nId, const QString &text);
  QAction *Action(int nId) const;

  // isEnabled empty: enabled whenever a handler exists. isChecked empty: the
  // action is not checkable.
  void SetHandler(int nId, Handler onCommand, Predicate isEnabled = {}, Predicate isChecked = {});

  // Runs the command as the menu would: only when it is enabled.
  bool Execute(int nId);

public slots:
  void Update();

private:
  struct Entry {
    QAction *pAction = nullptr;
    Handler onCommand;
    Predicate isEnabled;
    Predicate isChecked;
  };
  std::map<int, Entry> m_entries;
};
