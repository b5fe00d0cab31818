#pragma once

#include "kit/Tr.h"
#include "lang/Translate.h"

#include <string>

// A core text in the windows' language as UTF-8, for the layouts of the
// printed pages that the core draws (TranslateFn).
inline std::string TrUtf8(const TrText &text) {
  return Tr(text).toStdString();
}
