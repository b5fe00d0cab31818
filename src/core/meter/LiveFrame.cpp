#include "meter/LiveFrame.h"

#include "meter/MeterText.h"

#include <cstdio>

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

// Every tag is "a5" and a code byte, found anywhere in the text (not only
// at byte boundaries); one pass collects the codes present.
class CTagSet {
public:
  explicit CTagSet(std::string_view frame) {
    for (std::size_t i = 0; i + 3 < frame.size(); ++i) {
      if (frame[i] != 'a' || frame[i + 1] != '5')
        continue;
      int hi = HexValue(frame[i + 2]), lo = HexValue(frame[i + 3]);
      if (hi < 0 || lo < 0)
        continue;
      unsigned code = static_cast<unsigned>(hi << 4 | lo);
      if (!Has(code) && code == 0x06)
        m_nTimePos = i;
      m_bits[code / 64] |= 1ull << (code % 64);
    }
  }
  bool Has(unsigned code) const { return (m_bits[code / 64] >> (code % 64)) & 1u; }
  std::size_t TimePos() const { return m_nTimePos; }

private:
  unsigned long long m_bits[4] = {};
  std::size_t m_nTimePos = std::string_view::npos;
};

double DecodeLevel(std::string_view frame) {
  // d4 d5 d6 . d7, with a leading zero digit dropped
  std::string_view whole = Mid(frame, 4, 3);
  if (!whole.empty() && whole[0] == '0')
    whole.remove_prefix(1);
  char text[8];
  std::size_t n = 0;
  for (char c : whole)
    text[n++] = c;
  text[n++] = '.';
  for (char c : Mid(frame, 7, 1))
    text[n++] = c;
  return ReadDecimalNumber(std::string_view(text, n));
}

void DecodeTime(std::string_view frame, std::size_t p, CMeterReading &st, std::string_view strDatePrefix) {
  // A tag cut off by the end of the frame carries no time.
  if (p == std::string_view::npos || p + 10 > frame.size())
    return;
  int hour = MeterHour(frame[p + 4], frame[p + 5]);
  char text[24];
  int n =
      std::snprintf(text, sizeof text, "%.2d:%.2s:%.2s", hour, frame.data() + p + 6, frame.data() + p + 8);
  st.m_strCurTime.assign(strDatePrefix);
  st.m_strCurTime.append(text, static_cast<std::size_t>(n));
}

} // namespace

bool HasDecimalLevel(std::string_view frame) {
  if (frame.size() < 8)
    return false;
  for (std::size_t i = 4; i < 8; ++i)
    if (frame[i] < '0' || frame[i] > '9')
      return false;
  return true;
}

void DecodeLiveFrame(std::string_view frame, CMeterReading &st, std::string_view strDatePrefix) {
  st.m_dLevel = DecodeLevel(frame);

  std::string_view weighting = Mid(frame, 14, 2);
  if (weighting == "1b")
    st.m_bWeightA = true;
  else if (weighting == "1c")
    st.m_bWeightA = false;

  CTagSet tags(frame);
  DecodeTime(frame, tags.TimePos(), st, strDatePrefix);

  // Applied in this order: a later tag wins over an earlier one.
  if (tags.Has(0x02))
    st.m_bFast = true;
  if (tags.Has(0x03))
    st.m_bFast = false;
  if (tags.Has(0x04)) {
    st.m_bMax = true;
    st.m_bMin = false;
  }
  if (tags.Has(0x05)) {
    st.m_bMin = true;
    st.m_bMax = false;
  }
  if (tags.Has(0x0e)) {
    st.m_bMax = false;
    st.m_bMin = false;
  }
  if (tags.Has(0x08))
    st.m_bUnder = true;
  if (tags.Has(0x11)) {
    st.m_bUnder = false;
    st.m_bOver = false;
  }
  if (tags.Has(0x07))
    st.m_bOver = true;
  if (tags.Has(0x0a))
    st.m_bRec = true;
  if (tags.Has(0x1a))
    st.m_bRec = false;
  st.m_bLatch = tags.Has(0x0b);
  st.m_bShowLatched = tags.Has(0x0c);
  if (tags.Has(0x30))
    st.m_nRange = 1;
  if (tags.Has(0x4b))
    st.m_nRange = 2;
  if (tags.Has(0x4c))
    st.m_nRange = 3;
  if (tags.Has(0x40))
    st.m_nRange = 4;
}
