#pragma once

#include "lang/TrText.h"

#include <string>
#include <vector>

// Dialog templates as data: every control with its id, kind, text and
// rectangle in dialog units. Built into widgets by CDialogBuilder.
enum class CtlKind {
  Static,        // left-aligned label
  StaticCenter,  // centred label
  StaticRight,   // right-aligned label
  Picture,       // static picture frame
  Edit,          // single-line edit
  EditReadOnly,  // single-line edit the user cannot change
  Button,        // push button
  DefButton,     // default push button
  GroupBox,      // frame with a caption
  RadioButton,   // radio button
  CheckBox,      // check box
  ComboDropList, // drop-down list (no typing)
  ComboDropDown, // drop-down with an edit
  ListView,      // report-style list
  ScrollBarV,    // vertical scroll bar
  ScrollBarH,    // horizontal scroll bar
  Progress,      // progress bar
  Custom,        // placed by the owner (e.g. the graph control)
};

struct DlgControl {
  int id = -1; // -1: no id (labels, frames)
  CtlKind kind = CtlKind::Static;
  std::string text;
  int x = 0, y = 0, cx = 0, cy = 0; // dialog units
  bool bHidden = false;
  std::string strAccessibleName; // label for screen readers; empty: the text
};

struct DlgTemplate {
  int id = 0;
  std::string caption;
  int cx = 0, cy = 0; // dialog units
  std::string font = "Arial Unicode MS";
  int nPointSize = 9;
  std::vector<DlgControl> controls;
  // Translation context of the caption and texts (marked TARVIK_TR_NOOP with it).
  const char *context = "";

  const DlgControl *Find(int nId) const {
    for (const auto &c : controls)
      if (c.id == nId)
        return &c;
    return nullptr;
  }
};

// The standard ids of the Windows dialog manager, kept for the OK/Cancel buttons.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
