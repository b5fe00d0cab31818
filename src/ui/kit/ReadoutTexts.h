#pragma once

#include "forms/StatReadouts.h"

#include <QString>

#include <vector>

class QWidget;

// Writes the edit or label with the given id; a missing control is skipped.
void SetControlText(const QWidget *dlg, int nId, const QString &text);
// Writes read-outs computed in the core, each into the control of its id.
void ShowReadoutTexts(const QWidget *dlg, const std::vector<ControlText> &readouts);
