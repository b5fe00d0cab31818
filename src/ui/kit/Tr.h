#pragma once

#include "lang/TrText.h"

#include <QCoreApplication>
#include <QString>

#include <string>

// A core text in the chosen language (its source text when untranslated).
inline QString Tr(TrText text) {
  return QCoreApplication::translate(text.context, text.source);
}

// A text of a table that carries its context beside its texts (menus,
// dialog templates); empty stays empty.
inline QString TrIn(const char *context, const std::string &source) {
  return source.empty() ? QString() : QCoreApplication::translate(context, source.c_str());
}
