#pragma once

#include <cstddef>
#include <string_view>

namespace varnok::ini {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// The longest prefix of valid UTF-8 text that holds at most max_bytes bytes and does not end
// inside a character.
std::string_view CutUtf8(std::string_view text, std::size_t max_bytes);

}  // namespace varnok::ini
