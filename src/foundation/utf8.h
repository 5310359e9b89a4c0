#pragma once

#include <string_view>

namespace varnok::ini {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

}  // namespace varnok::ini
