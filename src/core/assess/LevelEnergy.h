#pragma once

#include <array>
#include <cmath>

// 10^(L/10) of a level. A meter reads in tenths of a dB, so those levels
// (0 to 200 dB) come from a table; any other level is worked out.
class CLevelEnergy {
public:
  static const CLevelEnergy &Get();

  // The level in whole tenths (0 .. 2000), or -1 for any other level.
  static int Tenths(double dLevel) {
    const double t = dLevel * 10.0;
    if (t >= 0 && t <= kTop) {
      const int k = static_cast<int>(t + 0.5);
      if (static_cast<double>(k) / 10.0 == dLevel)
        return k;
    }
    return -1;
  }
  // The energy of a level whose Tenths are `nTenths`.
  double operator()(double dLevel, int nTenths) const {
    if (nTenths >= 0)
      return m_table[static_cast<std::size_t>(nTenths)];
    return std::isnan(dLevel) ? 0.0 : std::exp(dLevel * kLn10Over10);
  }
  double operator()(double dLevel) const { return (*this)(dLevel, Tenths(dLevel)); }

  static constexpr int kTop = 2000;

private:
  static constexpr double kLn10Over10 = 0.23025850929940456840;
  CLevelEnergy();
  std::array<double, kTop + 1> m_table{};
};

// The level of a mean energy: 10·log10(dEnergySum / nCount).
inline double LevelOfEnergy(double dEnergySum, double dCount) {
  return 10.0 * std::log10(dEnergySum / dCount);
}
