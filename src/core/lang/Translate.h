#pragma once

#include "lang/TrText.h"

#include <string>

// Gives a text in the language of the windows (UTF-8). Layouts that the
// windows and the command-line programs share take one: the windows pass
// their translator, files and tarvik-report keep the source texts.
using TranslateFn = std::string (*)(const TrText &);

inline std::string SourceText(const TrText &text) {
  return text.source;
}
