#include "foundation/file_text.h"

#include "foundation/gbk_codec.h"
#include "foundation/utf8.h"

namespace varnok::ini {

FileEncoding DetectEncoding(std::string_view file_bytes) {
  return IsValidUtf8(file_bytes) ? FileEncoding::Utf8 : FileEncoding::Gbk;
}

std::size_t CharacterSize(std::string_view bytes, std::size_t pos, FileEncoding encoding) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (encoding == FileEncoding::Gbk) {
    // A double-byte character: lead byte 81-FE, second byte 40-FE except 7F. The second byte
    // may be an ASCII byte such as "]". Anything else counts as one byte.
    const bool pair = byte(pos) >= 0x81 && byte(pos) <= 0xFE && pos + 1 < bytes.size() &&
                      byte(pos + 1) >= 0x40 && byte(pos + 1) <= 0xFE && byte(pos + 1) != 0x7F;
    return pair ? 2 : 1;
  }
  std::size_t size = 1;
  if (byte(pos) >= 0xC0) {
    while (pos + size < bytes.size() && (byte(pos + size) & 0xC0) == 0x80 && size < 4) ++size;
  }
  return size;
}

std::string_view CutText(std::string_view bytes, std::size_t max_bytes, FileEncoding encoding) {
  std::size_t cut = 0;
  while (cut < bytes.size()) {
    const std::size_t next = cut + CharacterSize(bytes, cut, encoding);
    if (next > max_bytes) break;
    cut = next;
  }
  return bytes.substr(0, cut);
}

std::string DecodeText(std::string_view bytes, FileEncoding encoding) {
  return encoding == FileEncoding::Utf8 ? std::string(bytes) : GbkToUtf8(bytes);
}

std::optional<std::string> EncodeText(std::string_view utf8, FileEncoding encoding) {
  if (encoding == FileEncoding::Gbk) return Utf8ToGbk(utf8);
  if (!IsValidUtf8(utf8)) return std::nullopt;
  return std::string(utf8);
}

}  // namespace varnok::ini
