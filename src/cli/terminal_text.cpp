#include "cli/terminal_text.h"

#include <cstdio>

#include "cli/console.h"
#include "foundation/file_text.h"
#include "foundation/utf8.h"

namespace varnok::cli {
namespace {

std::string Escaped(unsigned char byte) {
  switch (byte) {
    case '\r':
      return "\\r";
    case '\n':
      return "\\n";
    case '\t':
      return "\\t";
    case '\\':
      return "\\\\";
    default:
      break;
  }
  char text[5];
  std::snprintf(text, sizeof text, "\\x%02X", byte);
  return text;
}

// The code point of a valid UTF-8 character.
char32_t CodePoint(std::string_view character) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(character[i]); };
  if (character.size() == 1) return byte(0);
  char32_t point = byte(0) & (0x7F >> character.size());
  for (std::size_t i = 1; i < character.size(); ++i) point = (point << 6) | (byte(i) & 0x3F);
  return point;
}

}  // namespace

std::string Visible(std::string_view bytes) {
  std::string text;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t size = ini::CharacterSize(bytes, pos, ini::FileEncoding::Utf8);
    const std::string_view character = bytes.substr(pos, size);
    const auto first = static_cast<unsigned char>(character.front());
    if (!ini::IsValidUtf8(character)) {
      text += Escaped(first);
      pos += 1;
      continue;
    }
    const char32_t point = CodePoint(character);
    const bool control = point < 0x20 || point == 0x7F || (point >= 0x80 && point < 0xA0);
    if (first == '\\' || (control && point < 0x80)) {
      text += Escaped(first);
    } else if (control) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(point));
      text += escaped;
    } else {
      text += character;
    }
    pos += size;
  }
  return text;
}

void SayLine(std::ostream& stream, std::string_view message) { stream << Visible(message) << '\n'; }

std::size_t DisplayWidth(std::string_view visible_text) {
  std::size_t width = 0;
  for (std::size_t pos = 0; pos < visible_text.size();) {
    const std::size_t size = ini::CharacterSize(visible_text, pos, ini::FileEncoding::Utf8);
    width += static_cast<std::size_t>(CharacterColumns(CodePoint(visible_text.substr(pos, size))));
    pos += size;
  }
  return width;
}

}  // namespace varnok::cli
