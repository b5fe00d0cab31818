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
