#include "meter/HexText.h"

void AppendHex(std::string &out, const uint8_t *p, std::size_t n) {
  static const char digits[] = "0123456789abcdef";
  std::size_t at = out.size();
  out.resize(at + 2 * n);
  char *d = out.data() + at;
  for (std::size_t i = 0; i < n; ++i) {
    *d++ = digits[p[i] >> 4];
    *d++ = digits[p[i] & 0x0F];
  }
}

std::size_t FindHexByte(std::string_view hex, std::string_view marker, std::size_t from) {
  for (std::size_t p = hex.find(marker, from); p != std::string_view::npos; p = hex.find(marker, p + 1))
    if (p % 2 == 0)
      return p;
  return std::string_view::npos;
}

std::size_t RFindHexByte(std::string_view hex, std::string_view marker) {
  for (std::size_t p = hex.rfind(marker); p != std::string_view::npos; p = hex.rfind(marker, p - 1)) {
    if (p % 2 == 0)
      return p;
    if (p == 0)
      break;
  }
  return std::string_view::npos;
}
