#include "foundation/ini_edit.h"

#include "foundation/ini_lines.h"
#include "foundation/ini_lookup.h"

namespace varnok::ini {
namespace {

// The reader must find the key within the bytes just written. A write can change how the
// file is decoded (when the old value held its only bytes that were not UTF-8), and a file
// of mixed encodings may then split into lines and sections differently.
bool ReadsBackWithin(std::string_view bytes, std::string_view section, std::string_view key,
                     Span written) {
  const std::optional<Span> found = FindValue(bytes, section, key);
  return found && found->begin >= written.begin && found->end <= written.end;
}

}  // namespace

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

}  // namespace varnok::ini
