#include "foundation/ini_lookup.h"

#include <string>

#include "foundation/ascii_case.h"

namespace varnok::ini {

namespace {

std::string_view Bytes(std::string_view bytes, Span span) {
  return bytes.substr(span.begin, span.size());
}

}  // namespace

std::string_view TrimName(std::string_view name) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
  while (!name.empty() && blank(name.front())) name.remove_prefix(1);
  while (!name.empty() && blank(name.back())) name.remove_suffix(1);
  return name;
}

bool NameMatches(std::string_view file_name, FileEncoding encoding, std::string_view name) {
  if (encoding == FileEncoding::Utf8) return EqualIgnoringAsciiCase(file_name, name);
  return EqualIgnoringAsciiCase(DecodeText(file_name, encoding), name);
}

EntryLocation FindEntry(std::string_view bytes, FileEncoding encoding, std::string_view section,
                        std::string_view key) {
  section = TrimName(section);
  key = TrimName(key);
  EntryLocation location;
  std::size_t pos = TextStart(bytes, encoding);
  while (pos < bytes.size() && !location.section) {
    const IniLine line = ReadLine(bytes, pos, encoding);
    pos = line.end;
    if (line.kind == LineKind::Section && NameMatches(Bytes(bytes, line.name), encoding, section)) {
      location.section = line;
      location.insert_after = line;
    }
  }
  while (location.section && pos < bytes.size()) {
    const IniLine line = ReadLine(bytes, pos, encoding);
    pos = line.end;
    if (line.kind == LineKind::Section) break;
    if (line.kind != LineKind::Key) continue;
    if (NameMatches(Bytes(bytes, line.name), encoding, key)) {
      location.key = line;
      break;
    }
    location.insert_after = line;
  }
  return location;
}

std::optional<Span> FindValue(std::string_view bytes, std::string_view section,
                              std::string_view key) {
  const EntryLocation location = FindEntry(bytes, DetectEncoding(bytes), section, key);
  if (!location.key) return std::nullopt;
  return location.key->value;
}

}  // namespace varnok::ini
