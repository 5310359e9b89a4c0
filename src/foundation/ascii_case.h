#pragma once

#include <algorithm>
#include <string_view>

// Letter case of ASCII letters only: the bytes of a UTF-8 or GBK character beyond ASCII are never
// touched, so names in any encoding compare as the Windows profile functions and CUPS do.
namespace varnok {

inline char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, {}, AsciiUpper, AsciiUpper);
}

inline bool ContainsIgnoringAsciiCase(std::string_view text, std::string_view part) {
  return !std::ranges::search(text, part, {}, AsciiUpper, AsciiUpper).empty() || part.empty();
}

}  // namespace varnok
