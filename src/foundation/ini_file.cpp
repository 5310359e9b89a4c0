#include "foundation/ini_file.h"

#include <optional>

#include "foundation/file_access.h"
#include "foundation/file_text.h"
#include "foundation/ini_edit.h"
#include "foundation/ini_lookup.h"

namespace varnok {

namespace {

// The Windows profile reader fills a 255-byte buffer: at most 254 bytes of the file and the closing
// zero. A GBK value so keeps 127 Chinese characters, more than 254 bytes once decoded to UTF-8.
constexpr std::size_t kMaxValueBytes = 254;

// One pair of matching quotes around a value of two or more characters is not part of it.
std::string_view WithoutQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// Names and values that could not be read back as written are refused.
bool CanBeWritten(std::string_view section, std::string_view key, std::string_view value) {
  const auto has_line_end = [](std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
  };
  return !section.empty() && !key.empty() && !has_line_end(section) && !has_line_end(key) &&
         !has_line_end(value) && key.find('=') == std::string_view::npos && key.front() != '[';
}

}  // namespace

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key) {
  const ini::FileBytes file = ini::ReadFileBytes(path);
  if (file.status != ini::ReadStatus::Ok) return {};
  const std::string_view bytes = file.bytes;
  const std::optional<ini::Span> span = ini::FindValue(bytes, section, key);
  if (!span) return {};

  const ini::FileEncoding encoding = ini::DetectEncoding(bytes);
  const std::string_view value = WithoutQuotes(bytes.substr(span->begin, span->size()));
  return ini::DecodeText(ini::CutText(value, kMaxValueBytes, encoding), encoding);
}

bool IniFileReadable(const std::string& path) {
  return ini::ReadFileBytes(path).status == ini::ReadStatus::Ok;
}

bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
  section = ini::TrimName(section);
  key = ini::TrimName(key);
  if (!CanBeWritten(section, key, value)) return false;
  return ini::ChangeFileBytes(
      path, [&](std::string_view bytes) { return ini::WithValue(bytes, section, key, value); });
}

}  // namespace varnok
