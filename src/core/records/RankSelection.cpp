#include "records/RankSelection.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::size_t kBuckets = std::size_t{1} << 16; // a bucket number fits two bytes
// Below this a copy and a selection cost less than the histogram.
constexpr std::size_t kBucketFrom = 4096;

double Sane(double d) {
  return std::isnan(d) ? -kInf : d;
}

void SelectByCopy(std::span<const double> levels, std::span<const std::size_t> ranks, std::span<double> out) {
  std::vector<double> v(levels.size());
  std::transform(levels.begin(), levels.end(), v.begin(), Sane);
  std::size_t from = 0; // everything before it is known to rank higher
  for (std::size_t i = 0; i < ranks.size(); ++i) {
    const auto it = v.begin() + static_cast<std::ptrdiff_t>(ranks[i]);
    std::nth_element(v.begin() + static_cast<std::ptrdiff_t>(from), it, v.end(), std::greater<double>());
    out[i] = *it;
    from = ranks[i];
  }
}

// Buckets of equal width between the lowest and the highest finite level;
// minus infinity falls in the first, plus infinity in the last. The bucket
// of a level never decreases as the level grows, so ranks follow buckets.
class CBuckets {
public:
  explicit CBuckets(std::span<const double> levels) {
    for (double d : levels) {
      if (std::isfinite(d)) {
        m_dLo = std::min(m_dLo, d);
        m_dHi = std::max(m_dHi, d);
      }
    }
    // A span too wide for a double leaves one bucket: still right, only slower.
    const double dWidth = m_dHi - m_dLo;
    m_dScale = dWidth > 0 && std::isfinite(dWidth) ? static_cast<double>(kBuckets - 1) / dWidth : 0.0;
  }

  std::size_t Of(double d) const {
    d = Sane(d);
    if (!(d >= m_dLo))
      return 0;
    if (!(d <= m_dHi))
      return kBuckets - 1;
    return std::min(static_cast<std::size_t>((d - m_dLo) * m_dScale), kBuckets - 1);
  }

private:
  double m_dLo = kInf;
  double m_dHi = -kInf;
  double m_dScale = 0;
};

void SelectByBuckets(std::span<const double> levels, std::span<const std::size_t> ranks,
                     std::span<double> out) {
  const CBuckets buckets(levels);
  // Each level's bucket is kept (two bytes a level) for the gathering pass.
  std::vector<std::uint16_t> of(levels.size());
  std::vector<std::uint32_t> counts(kBuckets);
  for (std::size_t i = 0; i < levels.size(); ++i) {
    of[i] = static_cast<std::uint16_t>(buckets.Of(levels[i]));
    ++counts[of[i]];
  }

  // Walk down from the highest bucket to find each rank's bucket and the
  // number of levels above that bucket.
  struct Target {
    std::size_t nBucket;
    std::size_t nAbove;
  };
  std::vector<Target> targets(ranks.size());
  std::size_t nAbove = 0;
  std::size_t b = kBuckets - 1;
  for (std::size_t i = 0; i < ranks.size(); ++i) {
    // Ends at bucket 0 at the latest, where nAbove + counts[0] is every level.
    while (nAbove + counts[b] <= ranks[i]) {
      nAbove += counts[b];
      --b;
    }
    targets[i] = {b, nAbove};
  }

  // Gather the levels of the (at most a few) buckets that hold a rank;
  // slot[b] is 1 + the bucket's place among them, 0 for the others.
  std::vector<std::size_t> wanted;
  std::vector<std::uint8_t> slot(kBuckets);
  for (const Target &t : targets) {
    if (slot[t.nBucket] == 0) {
      wanted.push_back(t.nBucket);
      slot[t.nBucket] = static_cast<std::uint8_t>(wanted.size());
    }
  }
  std::vector<std::vector<double>> gathered(wanted.size());
  for (std::size_t w = 0; w < wanted.size(); ++w)
    gathered[w].reserve(counts[wanted[w]]);
  for (std::size_t i = 0; i < levels.size(); ++i)
    if (const std::uint8_t nSlot = slot[of[i]])
      gathered[nSlot - 1u].push_back(Sane(levels[i]));

  for (std::size_t i = 0; i < ranks.size(); ++i) {
    std::vector<double> &g = gathered[slot[targets[i].nBucket] - 1u];
    const auto it = g.begin() + static_cast<std::ptrdiff_t>(ranks[i] - targets[i].nAbove);
    std::nth_element(g.begin(), it, g.end(), std::greater<double>());
    out[i] = *it;
  }
}
} // namespace

void SelectDescendingRanks(std::span<const double> levels, std::span<const std::size_t> ranks,
                           std::span<double> out) {
  if (levels.size() < kBucketFrom || levels.size() > std::numeric_limits<std::uint32_t>::max() ||
      ranks.size() > std::numeric_limits<std::uint8_t>::max())
    SelectByCopy(levels, ranks, out);
  else
    SelectByBuckets(levels, ranks, out);
}
