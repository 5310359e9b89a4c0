#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace varnok::testing {

// "23 55 4D": the bytes of a text in upper-case hex, one blank between them.
inline std::string HexBytes(std::string_view text) {
  std::string hex;
  for (const char c : text) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned char>(c));
    if (!hex.empty()) hex += ' ';
    hex += byte;
  }
  return hex;
}

}  // namespace varnok::testing
