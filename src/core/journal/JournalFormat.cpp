#include "journal/JournalFormat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <utility>

namespace journal {
namespace {

constexpr char kHeaderType = 'H';
constexpr char kSampleType = 'S';
constexpr char kEndType = 'E';
constexpr char kGapType = 'G';
constexpr std::uint16_t kVersion = 1;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k)
      c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[i] = c;
  }
  return t;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

void PutU32(std::string &out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void PutU64(std::string &out, std::uint64_t v) {
  for (int i = 0; i < 8; ++i)
    out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void PutText(std::string &out, std::string_view s) {
  s = s.substr(0, kMaxText);
  out.push_back(static_cast<char>(s.size()));
  out.append(s);
}

// Wraps the payload appended to `out` since `nStart` (where four bytes were
// reserved for its length) into a frame.
void CloseFrame(std::string &out, std::size_t nStart) {
  const auto nLen = static_cast<std::uint32_t>(out.size() - nStart - 4);
  for (int i = 0; i < 4; ++i)
    out[nStart + i] = static_cast<char>((nLen >> (8 * i)) & 0xFF);
  PutU32(out, Crc32(out.data() + nStart, out.size() - nStart));
}

// A bounds-checked reader over one payload.
class CReader {
public:
  explicit CReader(std::string_view s) : m_s(s) {}
  bool U8(std::uint8_t &v) {
    if (m_s.size() < 1)
      return false;
    v = static_cast<std::uint8_t>(m_s[0]);
    m_s.remove_prefix(1);
    return true;
  }
  bool U16(std::uint16_t &v) { return Le(v, 2); }
  bool U32(std::uint32_t &v) { return Le(v, 4); }
  bool U64(std::uint64_t &v) { return Le(v, 8); }
  bool F64(double &d) {
    std::uint64_t u = 0;
    if (!U64(u))
      return false;
    d = std::bit_cast<double>(u);
    return true;
  }
  bool I64(std::int64_t &v) {
    std::uint64_t u = 0;
    if (!U64(u))
      return false;
    v = static_cast<std::int64_t>(u);
    return true;
  }
  bool Text(std::string &s) {
    std::uint8_t n = 0;
    if (!U8(n) || n > kMaxText || m_s.size() < n)
      return false;
    s.assign(m_s.data(), n);
    m_s.remove_prefix(n);
    return true;
  }
  bool AtEnd() const { return m_s.empty(); }

private:
  template <class T> bool Le(T &v, int nBytes) {
    if (m_s.size() < static_cast<std::size_t>(nBytes))
      return false;
    v = 0;
    for (int i = 0; i < nBytes; ++i)
      v |= static_cast<T>(static_cast<T>(static_cast<std::uint8_t>(m_s[i])) << (8 * i));
    m_s.remove_prefix(nBytes);
    return true;
  }
  std::string_view m_s;
};

std::uint32_t ReadU32(std::string_view s, std::size_t nPos) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i)
    v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[nPos + i])) << (8 * i);
  return v;
}

// Type, number, level and the lengths of the two texts.
constexpr std::size_t kSampleFixed = 15;

// Whether a payload can be what its type says: a sample's length is that
// of its two texts plus the fixed part. Checked before the CRC, so that
// scanning damaged bytes for the next frame costs little per byte.
bool ShapeFits(std::string_view payload) {
  if (payload[0] == kEndType)
    return payload.size() >= 2 && payload.size() == 2u + static_cast<std::uint8_t>(payload[1]);
  if (payload[0] == kGapType)
    return payload.size() == 5;
  if (payload[0] != kSampleType)
    return true;
  if (payload.size() < kSampleFixed)
    return false;
  const std::size_t nUnit = static_cast<std::uint8_t>(payload[13]);
  if (nUnit > kMaxText || payload.size() < kSampleFixed + nUnit)
    return false;
  return payload.size() == kSampleFixed + nUnit + static_cast<std::uint8_t>(payload[14 + nUnit]);
}

// The payload of an intact frame at `nPos`, or nothing. `nChecked` counts
// the bytes run through the CRC.
std::optional<std::string_view> FrameAt(std::string_view bytes, std::size_t nPos, std::size_t &nChecked) {
  if (bytes.size() - nPos < kFrameOverhead + 1)
    return std::nullopt;
  const std::uint32_t nLen = ReadU32(bytes, nPos);
  if (nLen == 0 || nLen > kMaxPayload || bytes.size() - nPos - kFrameOverhead < nLen)
    return std::nullopt;
  const std::string_view payload = bytes.substr(nPos + 4, nLen);
  if (!ShapeFits(payload))
    return std::nullopt;
  nChecked += 4 + nLen;
  if (Crc32(bytes.data() + nPos, 4 + nLen) != ReadU32(bytes, nPos + 4 + nLen))
    return std::nullopt;
  return payload;
}

bool DecodeHeader(std::string_view payload, RunHeader &h) {
  CReader r(payload);
  std::uint8_t type = 0;
  std::uint16_t nVersion = 0;
  return r.U8(type) && type == kHeaderType && r.U16(nVersion) && nVersion == kVersion && r.F64(h.dRate) &&
         r.I64(h.tStart) && r.Text(h.strUnit) && r.I64(h.nPid) && r.AtEnd();
}

bool DecodeSample(std::string_view payload, std::uint32_t &nSeq, JournalSample &s) {
  CReader r(payload);
  std::uint8_t type = 0;
  return r.U8(type) && type == kSampleType && r.U32(nSeq) && r.F64(s.dLevel) && r.Text(s.strUnit) &&
         r.Text(s.strTime) && r.AtEnd();
}

bool DecodeGap(std::string_view payload, std::uint32_t &nMissed) {
  CReader r(payload);
  std::uint8_t type = 0;
  return r.U8(type) && type == kGapType && r.U32(nMissed) && r.AtEnd();
}

bool DecodeEnd(std::string_view payload, std::string &strReason) {
  CReader r(payload);
  std::uint8_t type = 0;
  return r.U8(type) && type == kEndType && r.Text(strReason) && r.AtEnd();
}

} // namespace

std::uint32_t Crc32(const void *pData, std::size_t n, std::uint32_t nCrc) {
  const auto *p = static_cast<const std::uint8_t *>(pData);
  nCrc = ~nCrc;
  for (std::size_t i = 0; i < n; ++i)
    nCrc = kCrcTable[(nCrc ^ p[i]) & 0xFF] ^ (nCrc >> 8);
  return ~nCrc;
}

void AppendHeader(std::string &out, const RunHeader &h) {
  out.append(kMagic);
  const std::size_t nStart = out.size();
  PutU32(out, 0);
  out.push_back(kHeaderType);
  out.push_back(static_cast<char>(kVersion & 0xFF));
  out.push_back(static_cast<char>(kVersion >> 8));
  PutU64(out, std::bit_cast<std::uint64_t>(h.dRate));
  PutU64(out, static_cast<std::uint64_t>(h.tStart));
  PutText(out, h.strUnit);
  PutU64(out, static_cast<std::uint64_t>(h.nPid));
  CloseFrame(out, nStart);
}

void AppendSample(std::string &out, std::uint32_t nSeq, double dLevel, std::string_view time,
                  std::string_view unit) {
  const std::size_t nStart = out.size();
  PutU32(out, 0);
  out.push_back(kSampleType);
  PutU32(out, nSeq);
  PutU64(out, std::bit_cast<std::uint64_t>(dLevel));
  PutText(out, unit);
  PutText(out, time);
  CloseFrame(out, nStart);
}

void AppendGap(std::string &out, std::uint32_t nMissed) {
  const std::size_t nStart = out.size();
  PutU32(out, 0);
  out.push_back(kGapType);
  PutU32(out, nMissed);
  CloseFrame(out, nStart);
}

void AppendRunEnd(std::string &out, std::string_view reason) {
  const std::size_t nStart = out.size();
  PutU32(out, 0);
  out.push_back(kEndType);
  PutText(out, reason);
  CloseFrame(out, nStart);
}

JournalContent ParseJournal(std::string_view bytes) {
  JournalContent c;
  if (bytes.substr(0, kMagic.size()) != kMagic)
    return c;
  std::size_t nPos = kMagic.size();
  std::size_t nChecked = 0;
  std::optional<std::string_view> head = FrameAt(bytes, nPos, nChecked);
  if (!head || !DecodeHeader(*head, c.header))
    return c;
  c.bHeader = true;
  c.bClean = true;
  nPos += kFrameOverhead + head->size();

  // Bytes crafted to look like frames everywhere would make the scan for
  // the next frame check a CRC at each of them. Its budget, in proportion
  // to the file, is far above what real damage needs; past it the rest
  // counts as a damaged end.
  const std::size_t nBudget = 2 * bytes.size() + 65536;
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t nDamageFrom = kNone; // damaged bytes not yet followed by a frame
  std::size_t nNext = 0;           // the number the next sample should carry
  std::size_t nSampleBytes = 0;    // to rate a damaged end
  JournalSample s;
  bool bGap = false; // a gap record came before the next sample
  while (nPos < bytes.size()) {
    if (nDamageFrom != kNone && nChecked > nBudget)
      break;
    const std::optional<std::string_view> f = FrameAt(bytes, nPos, nChecked);
    if (!f) {
      if (nDamageFrom == kNone)
        nDamageFrom = nPos;
      c.bClean = false;
      ++nPos;
      continue;
    }
    nDamageFrom = kNone;
    nPos += kFrameOverhead + f->size();
    std::uint32_t nSeq = 0;
    if (DecodeEnd(*f, c.strEndReason))
      c.bEnded = true;
    if (std::uint32_t nMissed = 0; DecodeGap(*f, nMissed)) {
      c.nMissed += nMissed;
      bGap = true;
    }
    if (!DecodeSample(*f, nSeq, s))
      continue; // the run's end, a gap, or a record this version does not know
    if (nSeq < nNext) {
      c.bClean = false; // a repeated number: the first one stands
      continue;
    }
    if (nSeq > nNext)
      c.bClean = false;
    c.nLost += nSeq - nNext;
    nNext = std::size_t{nSeq} + 1;
    nSampleBytes += kFrameOverhead + f->size();
    s.bAfterGap = std::exchange(bGap, false);
    c.samples.push_back(std::move(s));
  }
  if (nDamageFrom != kNone) {
    const std::size_t nAvg =
        c.samples.empty() ? 40 : std::max<std::size_t>(nSampleBytes / c.samples.size(), 1);
    c.nLost += (bytes.size() - nDamageFrom + nAvg - 1) / nAvg;
  }
  return c;
}

} // namespace journal
