#include "settings/ini_file.h"

#include <optional>

#include "settings/file_access.h"
#include "settings/file_text.h"
#include "settings/ini_edit.h"
#include "settings/ini_lines.h"
#include "settings/ini_lookup.h"

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

// Where the reader finds the key's value in these bytes, if it finds the key at all.
std::optional<ini::Span> ValueAsRead(std::string_view bytes, std::string_view section,
                                     std::string_view key) {
  const ini::EntryLocation location =
      ini::FindEntry(bytes, ini::DetectEncoding(bytes), section, key);
  if (!location.key) return std::nullopt;
  return location.key->value;
}

// The reader must find the key within the bytes just written. A write can change how the
// file is decoded (when the old value held its only bytes that were not UTF-8), and a file
// of mixed encodings may then split into lines and sections differently.
bool ReadsBackWithin(std::string_view bytes, std::string_view section, std::string_view key,
                     ini::Span written) {
  const std::optional<ini::Span> found = ValueAsRead(bytes, section, key);
  return found && found->begin >= written.begin && found->end <= written.end;
}

}  // namespace

namespace ini {

bool EndsLine(std::string_view bytes, FileEncoding encoding) {
  return bytes.size() == TextStart(bytes, encoding) || bytes.back() == '\n' || bytes.back() == '\r';
}

std::optional<std::string> WithValue(std::string_view file_bytes, std::string_view section,
                                     std::string_view key, std::string_view value) {
  std::string bytes(file_bytes);

  // New text is written in the file's own encoding, so the file stays in one encoding.
  const FileEncoding encoding = DetectEncoding(bytes);
  const auto section_bytes = EncodeText(section, encoding);
  const auto key_bytes = EncodeText(key, encoding);
  const auto value_bytes = EncodeText(value, encoding);
  if (!section_bytes || !key_bytes || !value_bytes) return std::nullopt;

  const EntryLocation location = FindEntry(bytes, encoding, section, key);
  Span written;  // where the new value lands
  if (location.key) {
    // Replace the value in place: blanks around it, the name and the line end stay.
    const Span span = location.key->value;
    bytes.replace(span.begin, span.size(), *value_bytes);
    written = {span.begin, span.begin + value_bytes->size()};
  } else if (location.section) {
    // Add the key after the section's last key line (or its header line).
    const IniLine& after = location.insert_after;
    std::string text = after.has_line_end() ? "" : std::string(kLineEnd);
    text += *key_bytes + "=";
    written.begin = after.end + text.size();
    written.end = written.begin + value_bytes->size();
    text += *value_bytes + std::string(kLineEnd);
    bytes.insert(after.end, text);
  } else {
    // Add the section and the key at the end of the file.
    if (!EndsLine(bytes, encoding)) bytes += kLineEnd;
    bytes += "[" + *section_bytes + "]" + std::string(kLineEnd);
    bytes += *key_bytes + "=";
    written = {bytes.size(), bytes.size() + value_bytes->size()};
    bytes += *value_bytes + std::string(kLineEnd);
  }
  if (!ReadsBackWithin(bytes, section, key, written)) return std::nullopt;
  return bytes;
}

}  // namespace ini

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key) {
  const ini::FileBytes file = ini::ReadFileBytes(path);
  if (file.status != ini::ReadStatus::Ok) return {};
  const std::string_view bytes = file.bytes;
  const std::optional<ini::Span> span = ValueAsRead(bytes, section, key);
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
