#include "kit/CommandRouter.h"

QAction *CCommandRouter::Add(int nId, const QString &text) {
  Entry &e = m_entries[nId];
  if (!e.pAction) {
    e.pAction = new QAction(text, this);
    e.pAction->setObjectName(QStringLiteral("cmd%1").arg(nId));
    e.pAction->setData(nId);
    e.pAction->setEnabled(false);
    connect(e.pAction, &QAction::triggered, this, [this, nId] { Execute(nId); });
  }
  return e.pAction;
}

QAction *CCommandRouter::Action(int nId) const {
  auto it = m_entries.find(nId);
  return it == m_entries.end() ? nullptr : it->second.pAction;
}

void CCommandRouter::SetHandler(int nId, Handler onCommand, Predicate isEnabled, Predicate isChecked) {
  Entry &e = m_entries[nId];
  if (!e.pAction)
    Add(nId, QString());
  e.onCommand = std::move(onCommand);
  e.isEnabled = std::move(isEnabled);
  e.isChecked = std::move(isChecked);
  e.pAction->setCheckable(static_cast<bool>(e.isChecked));
  Update();
}

bool CCommandRouter::Execute(int nId) {
  auto it = m_entries.find(nId);
  if (it == m_entries.end() || !it->second.onCommand)
    return false;
  Entry &e = it->second;
  if (e.isEnabled && !e.isEnabled())
    return false;
  // Copy: a handler may re-register commands.
  Handler h = e.onCommand;
  h();
  Update();
  return true;
}

void CCommandRouter::Update() {
  for (auto &[nId, e] : m_entries) {
    const bool bEnabled = e.onCommand && (!e.isEnabled || e.isEnabled());
    if (e.pAction->isEnabled() != bEnabled)
      e.pAction->setEnabled(bEnabled);
    if (e.isChecked) {
      const bool bChecked = e.isChecked();
      if (e.pAction->isChecked() != bChecked)
        e.pAction->setChecked(bChecked);
    }
  }
}
