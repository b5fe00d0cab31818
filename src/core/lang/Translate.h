#pragma once

#include "lang/TrText.h"

#include <string>

// How core code that composes a message gets a text in the chosen language:
// the windows pass their translator, files and the command-line programs the
// source text.
using FTranslate = std::string (*)(TrText);

inline std::string SourceText(TrText text) {
  return text.source;
}
