#include "files/ZipPartsCheck.h"

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string_view>

namespace {
constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr std::uint32_t kDirectoryEntry = 0x02014b50;
constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::size_t kHeadKept = 512;
constexpr std::size_t kTailKept = 128;

std::uint32_t Le(std::string_view s, std::size_t at, int nBytes) {
  std::uint32_t v = 0;
  for (int i = nBytes - 1; i >= 0; --i)
    v = v << 8 | static_cast<unsigned char>(s[at + static_cast<std::size_t>(i)]);
  return v;
}

// The first element's name, after the declaration and any comments.
std::string RootName(std::string_view head) {
  std::size_t at = 0;
  while ((at = head.find('<', at)) != std::string_view::npos) {
    if (at + 1 < head.size() && (head[at + 1] == '?' || head[at + 1] == '!')) {
      ++at;
      continue;
    }
    const std::size_t end = head.find_first_of(" \t\r\n/>", at + 1);
    return end == std::string_view::npos ? std::string() : std::string(head.substr(at + 1, end - at - 1));
  }
  return {};
}

bool EndsClosed(std::string_view head, std::string_view tail, bool bWhole) {
  while (!tail.empty() && (tail.back() == '\n' || tail.back() == '\r' || tail.back() == ' '))
    tail.remove_suffix(1);
  const std::string root = RootName(head);
  if (root.empty())
    return false;
  const std::string close = "</" + root + ">";
  if (tail.size() >= close.size() && tail.substr(tail.size() - close.size()) == close)
    return true;
  // A root with no content closes itself: "<root .../>" is then the last tag.
  return bWhole && tail.ends_with("/>") && head.rfind('<') == head.find("<" + root);
}

// Inflates one part, keeping its first and last bytes; false when the data is damaged.
bool Inflate(std::string_view data, int nMethod, std::string &head, std::string &tail, std::uint64_t &nOut) {
  auto take = [&](const char *p, std::size_t n) {
    nOut += n;
    const std::size_t h = std::min(n, kHeadKept - std::min(kHeadKept, head.size()));
    head.append(p, h);
    tail.append(p, n);
    if (tail.size() > kTailKept)
      tail.erase(0, tail.size() - kTailKept);
  };
  if (nMethod == 0) {
    take(data.data(), data.size());
    return true;
  }
  if (nMethod != Z_DEFLATED)
    return false;
  z_stream z{};
  if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
    return false;
  z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  char buf[65536];
  int rc = Z_OK;
  while (rc == Z_OK) {
    z.next_out = reinterpret_cast<Bytef *>(buf);
    z.avail_out = sizeof buf;
    rc = inflate(&z, Z_NO_FLUSH);
    take(buf, sizeof buf - z.avail_out);
    if (rc == Z_BUF_ERROR && z.avail_in == 0)
      break;
  }
  inflateEnd(&z);
  return rc == Z_STREAM_END;
}
} // namespace

std::string CheckZipXmlParts(const std::string &strPath) {
  std::ifstream in(strPath, std::ios::binary);
  const std::string zip((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof())
    return "The written file could not be read back";
  std::size_t eocd = std::string::npos;
  for (std::size_t i = zip.size() >= 22 ? zip.size() - 22 + 1 : 0; i-- > 0;) {
    if (Le(zip, i, 4) == kEndOfDirectory) {
      eocd = i;
      break;
    }
  }
  if (eocd == std::string::npos)
    return "The written file is not a whole zip container";
  const std::size_t nEntries = Le(zip, eocd + 10, 2);
  std::size_t at = Le(zip, eocd + 16, 4);
  for (std::size_t e = 0; e < nEntries; ++e) {
    if (at + 46 > zip.size() || Le(zip, at, 4) != kDirectoryEntry)
      return "The written file's zip directory is damaged";
    const int nMethod = static_cast<int>(Le(zip, at + 10, 2));
    const std::size_t nPacked = Le(zip, at + 20, 4), nSize = Le(zip, at + 24, 4);
    const std::size_t nName = Le(zip, at + 28, 2), nExtra = Le(zip, at + 30, 2), nNote = Le(zip, at + 32, 2);
    const std::size_t local = Le(zip, at + 42, 4);
    const std::string name = zip.substr(at + 46, nName);
    at += 46 + nName + nExtra + nNote;
    if (!name.ends_with(".xml") && !name.ends_with(".rels"))
      continue;
    if (local + 30 > zip.size() || Le(zip, local, 4) != kLocalHeader)
      return "The written file's part " + name + " is damaged";
    const std::size_t data = local + 30 + Le(zip, local + 26, 2) + Le(zip, local + 28, 2);
    if (data + nPacked > zip.size())
      return "The written file's part " + name + " is damaged";
    std::string head, tail;
    std::uint64_t nOut = 0;
    if (!Inflate(std::string_view(zip).substr(data, nPacked), nMethod, head, tail, nOut) || nOut != nSize)
      return "The written file's part " + name + " is damaged";
    if (!EndsClosed(head, tail, nOut <= kHeadKept))
      return "The part " + name + " came out cut short (is the temporary folder full?)";
  }
  return {};
}
