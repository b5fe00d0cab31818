#pragma once

#include "forms/UiTexts.h"
#include "kit/Tr.h"

// The status text of command `nId` in the chosen language; empty when it has none.
inline QString CommandTip(int nId) {
  const char *tip = UiTexts::CommandTipText(nId);
  return tip ? TrIn("StatusBar", tip) : QString();
}
