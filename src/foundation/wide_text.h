#pragma once

#include <string>
#include <string_view>

// Windows only: the program keeps its texts in UTF-8 and speaks UTF-16 to the system, so names
// and paths in any language survive the crossing.
namespace varnok {

// UTF-8 to UTF-16; a byte that is not UTF-8 becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view utf8);

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace varnok
