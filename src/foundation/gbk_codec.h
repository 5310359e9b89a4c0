#pragma once

#include <optional>
#include <string>
#include <string_view>

// GBK (Windows code page 936) <-> UTF-8. The only platform-dependent part of the text handling:
// gbk_codec_posix.cpp implements it with glibc's iconv; a Windows build can implement it with
// MultiByteToWideChar / WideCharToMultiByte instead.
namespace varnok::ini {

// Decodes GBK bytes to UTF-8. A byte sequence that is not GBK becomes U+FFFD, one per byte, so
// the result is always valid UTF-8 and nothing else of the text is lost.
std::string GbkToUtf8(std::string_view gbk);

// Encodes UTF-8 text as GBK; nothing when the text is not valid UTF-8 or holds a character GBK
// does not have.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

}  // namespace varnok::ini
