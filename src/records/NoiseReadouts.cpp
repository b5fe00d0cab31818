#include "records/NoiseReadouts.h"

#include "res/ControlIds.h"

std::vector<ControlText> NoiseReadouts(const AcousticStats &s, std::string_view strLeqLabel) {
  using namespace NoiseIds;
  static constexpr int kValueIds[kFigCount] = {kLeq, kL10, kL50, kL90, kSel, kDuration};
  std::vector<ControlText> out;
  out.reserve(kFigCount + 1);
  const std::vector<AcousticFigure> figures = AcousticFigures(s, strLeqLabel, {});
  out.push_back({kLeqLabel, figures.empty() ? LeqLabel({}) : figures[kFigLeq].strLabel});
  for (int i = 0; i < kFigCount; ++i)
    out.push_back(
        {kValueIds[i], figures.empty() ? std::string() : figures[static_cast<std::size_t>(i)].strText});
  return out;
}
