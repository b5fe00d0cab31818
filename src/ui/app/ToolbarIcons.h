#pragma once

#include <QIcon>

// Toolbar icon of a command: the desktop theme's icon where one fits,
// otherwise a small drawn one, so the toolbar never shows empty buttons.
QIcon CommandIcon(int nCommandId);
