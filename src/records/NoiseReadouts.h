#pragma once

#include "records/AcousticStats.h"

#include <string>
#include <string_view>
#include <vector>

// A read-out's control id and the text it shows.
struct ControlText {
  int nId;
  std::string strText;
};

// The noise read-outs of both windows (NoiseIds): the Leq label, then Leq,
// L10, L50, L90, SEL with one decimal and the duration as h:mm:ss. For an
// empty series the values are empty and the label is plain "Leq".
std::vector<ControlText> NoiseReadouts(const AcousticStats &s, std::string_view strLeqLabel);
