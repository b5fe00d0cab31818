#include "graph/CurveLayer.h"
#include "graph/GraphMath.h"
#include "records/SampleStore.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Samples as a live run brings them: a meter's tenths of a dB, flat
// stretches with jumps (long vertical strokes), bursts, now and then a
// level far off the plot.
class CLevels {
public:
  CLevels(int nKind, unsigned nSeed) : m_nKind(nKind), m_rng(nSeed) {}
  double Next() {
    const unsigned r = m_rng();
    switch (m_nKind) {
    case 0:
      return static_cast<double>(300 + r % 900) / 10.0;
    case 1:
      if (r % 40 == 0)
        m_dLevel = r % 80 == 0 ? 35.0 : 110.0;
      return m_dLevel;
    case 2:
      m_dLevel =
          std::clamp(m_dLevel + static_cast<double>(static_cast<int>(r % 21) - 10) / 10.0, 20.0, 125.0);
      return m_dLevel;
    default:
      return r % 3000 == 0 ? (r & 1 ? 1e12 : -1e12) : r % 2 ? 40.0 : 90.0;
    }
  }

private:
  int m_nKind;
  std::mt19937 m_rng;
  double m_dLevel = 60.0;
};

// The plot's pixels of the layer kept over many draws against those of a
// layer drawn whole for the same samples.
void ExpectSamePlot(const QImage &kept, const QImage &whole, const CGraphState &s, const std::string &what) {
  for (int y = kPlotTop; y < kPlotTop + s.m_plotHeight; ++y)
    for (int x = kPlotLeft; x < kPlotLeft + s.m_plotWidth; ++x)
      if (kept.pixel(x, y) != whole.pixel(x, y)) {
        ADD_FAILURE() << what << ": first differing pixel (" << x << ", " << y << ")";
        return;
      }
}

struct Case {
  int nWidth, nHeight;
  bool bZoomed;
};

// A live run grows the store a few samples at a time; the graph widens its
// range by a fifteenth whenever the samples reach the right edge. However
// the samples come, the kept layer shows what a whole drawing shows.
TEST(CurveLayer, AppendedSamplesDrawWhatAWholeDrawingDraws) {
  const Case cases[] = {{400, 300, false}, {1190, 470, false}, {333, 251, true}};
  for (const Case &c : cases) {
    for (int nKind = 0; nKind < 4; ++nKind) {
      CSampleStore store;
      CGraphState s;
      SetDefaultView(s, c.nWidth, c.nHeight);
      if (c.bZoomed) {
        // a box zoom: 0.4 samples a pixel and levels 50 to 80 dB, so the curve
        // leaves the plot above and below and the view ends before the samples
        s.m_zoomed = 1.0;
        s.m_xScale = 0.4;
        s.m_yScale = 30.0 / s.m_plotHeight;
        s.m_yOffset = 50;
      }
      CLevels levels(nKind, 17u + static_cast<unsigned>(nKind));
      std::mt19937 rng(5);
      CCurveLayer kept;
      for (int nDraw = 0; nDraw < 140; ++nDraw) {
        // mostly one sample a tick; now and then a batch, rarely a big one
        const unsigned r = rng();
        const std::size_t nAdd = r % 10 == 0 ? 1 + r % 97 : r % 31 == 0 ? 1 + r % 4000 : 1;
        for (std::size_t k = 0; k < nAdd; ++k)
          store.Emplace(levels.Next(), "08-12-2026,10:00:00", "dBA", 0, 0.1);
        GrowXRange(s, store.GetSize(), [] {});
        const QImage &image = kept.Update(s, store, c.nWidth, c.nHeight);
        CCurveLayer whole;
        ExpectSamePlot(image, whole.Update(s, store, c.nWidth, c.nHeight), s,
                       "width " + std::to_string(c.nWidth) + ", kind " + std::to_string(nKind) + ", " +
                           std::to_string(store.GetSize()) + " samples");
        if (HasFailure())
          return;
      }
    }
  }
}

// Anything but appending draws the layer whole: an emptied and refilled
// store, another store moved into it, a new colour, a scrolled view.
TEST(CurveLayer, OtherChangesDrawTheWholeLayer) {
  CSampleStore store;
  CGraphState s;
  SetDefaultView(s, 400, 300);
  auto fill = [](CSampleStore &st, double dLevel, int n) {
    for (int i = 0; i < n; ++i)
      st.Emplace(dLevel + (i % 2) * 20, "08-12-2026,10:00:00", "dBA", 0, 0.1);
  };
  // enough samples that no markers are drawn: markers always draw the whole layer
  fill(store, 40, 300);
  CCurveLayer kept;
  auto check = [&](const char *what) {
    GrowXRange(s, store.GetSize(), [] {});
    const QImage &image = kept.Update(s, store, 400, 300);
    CCurveLayer whole;
    ExpectSamePlot(image, whole.Update(s, store, 400, 300), s, what);
  };
  check("first draw");
  ASSERT_FALSE(ShowMarkers(s));
  store.RemoveAll();
  fill(store, 90, 301);
  check("emptied and refilled");
  CSampleStore other;
  fill(other, 70, 302);
  store = std::move(other);
  check("moved in");
  s.m_lineColor = MakeGraphColor(255, 255, 0);
  check("new line colour");
  s.m_xOffset = 3;
  check("scrolled");
}

} // namespace
