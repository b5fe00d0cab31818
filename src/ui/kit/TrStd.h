#pragma once

#include "kit/Tr.h"

#include <string>

// A core text in the chosen language as UTF-8, for core code that composes
// a message from pieces (see lang/Translate.h).
inline std::string TrStd(TrText text) {
  return Tr(text).toStdString();
}
