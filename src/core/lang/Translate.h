#pragma once

#include "lang/TrText.h"

#include <string>

// Gives a text in the language of the windows (UTF-8). Core code that
// composes a message from pieces, and page layouts that the windows and the
// command-line programs share, take one: the windows pass their translator,
// files, the journal and tarvik-report keep the source texts.
using FTranslate = std::string (*)(TrText);

inline std::string SourceText(TrText text) {
  return text.source;
}
