#include "assess/AssessSettings.h"

std::optional<int> ParsePeriodText(std::string_view text) {
  for (std::size_t i = 0; i < kPeriodTexts.size(); ++i)
    if (kPeriodTexts[i] == text)
      return kPeriodSeconds[i];
  return std::nullopt;
}
