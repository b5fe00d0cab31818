#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Received bytes are handled as text: two lowercase hex digits per byte.
void AppendHex(std::string &out, const uint8_t *p, std::size_t n);

// Where byte `marker` ("dd") is in hex text that starts on a byte, searched
// on byte boundaries only: "0d d0" holds no "dd". npos when it is not there.
std::size_t FindHexByte(std::string_view hex, std::string_view marker, std::size_t from = 0);
// The same, the last one.
std::size_t RFindHexByte(std::string_view hex, std::string_view marker);
