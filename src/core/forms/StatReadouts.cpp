#include "forms/StatReadouts.h"

#include "forms/ControlIds.h"

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

std::vector<ControlText> StatReadouts(const StatBlock &b) {
  using namespace StatIds;
  std::vector<ControlText> out;
  const bool bAny = b.nCount > 0;
  const auto level = [bAny](double d) { return bAny ? FormatDecibels(d) : std::string(); };
  out.push_back({kCount, bAny ? std::to_string(b.nCount) : std::string()});
  out.push_back({kStartTime, bAny ? b.stat.strStartTime : std::string()});
  out.push_back({kMax, level(b.stat.dMax)});
  out.push_back({kMaxTime, bAny ? b.stat.strMaxTime : std::string()});
  out.push_back({kMin, level(b.stat.dMin)});
  out.push_back({kMinTime, bAny ? b.stat.strMinTime : std::string()});
  out.push_back({kAverage, level(b.stat.dAverage)});
  std::vector<ControlText> noise = NoiseReadouts(b.noise, b.strLeqLabel);
  out.insert(out.end(), std::make_move_iterator(noise.begin()), std::make_move_iterator(noise.end()));
  return out;
}
