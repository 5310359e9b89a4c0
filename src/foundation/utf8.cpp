#include "foundation/utf8.h"

namespace varnok::ini {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the well-formed character starting at bytes[pos], or 0 when there is none.
std::size_t CharacterLength(std::string_view bytes, std::size_t pos) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[pos + i]); };
  const std::size_t left = bytes.size() - pos;
  const unsigned char lead = at(0);
  if (lead < 0x80) return 1;
  // Allowed range of the second byte for each lead byte (Unicode, table 3-7).
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // no overlong forms
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (left < length || at(1) < low || at(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsContinuation(at(i))) return 0;
  }
  return length;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t length = CharacterLength(bytes, pos);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

}  // namespace varnok::ini
