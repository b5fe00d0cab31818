#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Received bytes are handled as text: two lowercase hex digits per byte.
void AppendHex(std::string &out, const uint8_t *p, std::size_t n);
