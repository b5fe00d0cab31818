#pragma once

// A text the user reads, with the context its translation is looked up in
// (a window or a kind of page). The core keeps the source text; the windows
// show it through the translator of the chosen language.
struct TrText {
  const char *context;
  const char *source;
};

// Both marks are read by the translation tools as QT_TRANSLATE_NOOP, so every
// marked text lands in the catalogue under its context. TARVIK_TR makes a
// TrText; TARVIK_TR_NOOP leaves a plain string for tables (menus, dialog
// templates) that carry their context beside the texts.
#define TARVIK_TR(context, source) (TrText{context, source})
#define TARVIK_TR_NOOP(context, source) source
