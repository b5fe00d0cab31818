#pragma once

#include <QList>

class QAbstractButton;
class QMenuBar;

// Alt letters for every menu title and item of `bar`, unique within each menu.
void AssignMnemonics(QMenuBar &bar);
// Alt letters for the buttons of a dialog or form, unique among them.
void AssignButtonMnemonics(const QList<QAbstractButton *> &buttons);
