#include "settings/ini_lookup.h"

#include <algorithm>
#include <string>

namespace varnok::ini {

namespace {

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualFolded(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

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
  if (encoding == FileEncoding::Utf8) return EqualFolded(file_name, name);
  return EqualFolded(DecodeText(file_name, encoding), name);
}

EntryLocation FindEntry(std::string_view bytes, const std::vector<IniLine>& lines,
                        FileEncoding encoding, std::string_view section, std::string_view key) {
  section = TrimName(section);
  key = TrimName(key);
  EntryLocation location;
  std::size_t i = 0;
  for (; i < lines.size(); ++i) {
    if (lines[i].kind == LineKind::Section &&
        NameMatches(Bytes(bytes, lines[i].name), encoding, section)) {
      location.section_line = i;
      location.insert_after_line = i;
      break;
    }
  }
  if (!location.section_line) return location;
  for (++i; i < lines.size() && lines[i].kind != LineKind::Section; ++i) {
    if (lines[i].kind != LineKind::Key) continue;
    if (NameMatches(Bytes(bytes, lines[i].name), encoding, key)) {
      location.key_line = i;
      return location;
    }
    location.insert_after_line = i;
  }
  return location;
}

}  // namespace varnok::ini
