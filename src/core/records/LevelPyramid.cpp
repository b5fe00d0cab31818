#include "records/LevelPyramid.h"

#include <algorithm>

template <class T> void CMinMaxPyramid<T>::Append(std::span<const T> levels) {
  const std::size_t i = levels.size() - 1;
  const Node leaf{levels[i], levels[i]};
  std::size_t idx = i;
  for (std::size_t k = 0;; ++k) {
    const bool bFirstInBlock = idx % kFanout == 0;
    idx /= kFanout;
    if (k == m_layers.size()) {
      // a new top layer once the one below has two entries
      if (k > 0 && m_layers[k - 1].size() < 2)
        return;
      if (k == 0 && i == 0)
        return;
      m_layers.emplace_back();
      // fill it from the layer below (or the levels) up to here
      const std::size_t nBelow = k == 0 ? levels.size() : m_layers[k - 1].size();
      for (std::size_t c = 0; c < nBelow; ++c) {
        const Node m = k == 0 ? Node{levels[c], levels[c]} : m_layers[k - 1][c];
        if (c % kFanout == 0)
          m_layers[k].push_back(m);
        else
          Widen(m_layers[k].back(), m);
      }
      continue;
    }
    std::vector<Node> &layer = m_layers[k];
    if (bFirstInBlock && idx == layer.size())
      layer.push_back(leaf);
    else
      Widen(layer[idx], leaf);
  }
}

template <class T> void CMinMaxPyramid<T>::Rebuild(std::span<const T> levels) {
  m_layers.clear();
  std::size_t nBelow = levels.size();
  for (std::size_t k = 0; nBelow > 1; ++k) {
    std::vector<Node> layer;
    layer.reserve((nBelow + kFanout - 1) / kFanout);
    for (std::size_t c = 0; c < nBelow; ++c) {
      const Node m = k == 0 ? Node{levels[c], levels[c]} : m_layers[k - 1][c];
      if (c % kFanout == 0)
        layer.push_back(m);
      else
        Widen(layer.back(), m);
    }
    nBelow = layer.size();
    m_layers.push_back(std::move(layer));
  }
}

template <class T> std::size_t CMinMaxPyramid<T>::Bytes() const {
  std::size_t n = m_layers.capacity() * sizeof(std::vector<Node>);
  for (const auto &l : m_layers)
    n += l.capacity() * sizeof(Node);
  return n;
}

template <class T>
typename CMinMaxPyramid<T>::Cover CMinMaxPyramid<T>::CoverOf(std::size_t a, std::size_t b) const {
  Cover c;
  std::size_t lo = a, hi = b, layer = 0;
  while (layer < m_layers.size() && hi - lo >= 2 * kFanout) {
    while (lo % kFanout)
      c.left[c.nLeft++] = {layer, lo++};
    while (hi % kFanout)
      c.right[c.nRight++] = {layer, --hi};
    lo /= kFanout;
    hi /= kFanout;
    ++layer;
  }
  c.nMidLayer = layer;
  c.nMidLo = lo;
  c.nMidHi = hi;
  return c;
}

template <class T>
LevelMinMax CMinMaxPyramid<T>::Range(std::span<const T> levels, std::size_t a, std::size_t b) const {
  const Cover c = CoverOf(a, b);
  Node m{levels[a], levels[a]};
  auto take = [&](Block bl) {
    Widen(m,
          bl.nLayer == 0 ? Node{levels[bl.nIndex], levels[bl.nIndex]} : m_layers[bl.nLayer - 1][bl.nIndex]);
  };
  for (std::size_t i = 0; i < c.nLeft; ++i)
    take(c.left[i]);
  for (std::size_t i = c.nMidLo; i < c.nMidHi; ++i)
    take({c.nMidLayer, i});
  for (std::size_t i = 0; i < c.nRight; ++i)
    take(c.right[i]);
  return {ToLevel(m.lo), ToLevel(m.hi)};
}

template class CMinMaxPyramid<double>;
template class CMinMaxPyramid<std::int16_t>;
