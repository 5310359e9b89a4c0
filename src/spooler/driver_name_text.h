#pragma once

#include <cstddef>
#include <string>

namespace varnok {

// Driver names are kept to this many bytes.
inline constexpr std::size_t kDriverNameMaxBytes = 64;

// The NUL-terminated text at `address`, at most kDriverNameMaxBytes long; " " for a null
// address. A longer text is cut after its 64th byte, or before it when that byte would split
// a UTF-8 character.
std::string PointerToString(const char* address);

}  // namespace varnok
