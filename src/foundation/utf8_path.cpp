#include "foundation/utf8_path.h"

namespace varnok {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::u8string(utf8.begin(), utf8.end());
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return {utf8.begin(), utf8.end()};
}

}  // namespace varnok
