#include "assess/LevelEnergy.h"

CLevelEnergy::CLevelEnergy() {
  for (int k = 0; k <= kTop; ++k)
    m_table[static_cast<std::size_t>(k)] = std::exp(static_cast<double>(k) / 10.0 * kLn10Over10);
}

const CLevelEnergy &CLevelEnergy::Get() {
  static const CLevelEnergy table;
  return table;
}
