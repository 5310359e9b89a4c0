#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The text encoding of a settings file: UTF-8 when its bytes are valid UTF-8, otherwise GBK
// (a file prepared on a Chinese Windows workstation).
namespace varnok::ini {

enum class FileEncoding { Utf8, Gbk };

FileEncoding DetectEncoding(std::string_view file_bytes);

// Number of bytes of the character that starts at bytes[pos] (pos < bytes.size()); never runs
// past the end of bytes. In UTF-8 an ASCII byte is always a character of its own; in GBK it
// may be the second byte of a double-byte character.
std::size_t CharacterSize(std::string_view bytes, std::size_t pos, FileEncoding encoding);

// The longest start of bytes that holds at most max_bytes bytes and does not end inside a
// character. Walked from the first byte, as a GBK second byte may look like a character of its own.
std::string_view CutText(std::string_view bytes, std::size_t max_bytes, FileEncoding encoding);

// File bytes -> UTF-8 text (GBK sequences that are not GBK become U+FFFD).
std::string DecodeText(std::string_view bytes, FileEncoding encoding);

// UTF-8 text -> file bytes; nothing when the text cannot be written in that encoding.
std::optional<std::string> EncodeText(std::string_view utf8, FileEncoding encoding);

}  // namespace varnok::ini
