#include "foundation/ini_merge.h"

#include <utility>

#include "foundation/file_text.h"
#include "foundation/ini_edit.h"
#include "foundation/ini_lines.h"
#include "foundation/ini_lookup.h"

namespace varnok::ini {

namespace {

struct ShippedSection {
  std::string name;  // UTF-8, as are the texts below
  std::string text;  // its lines, header first, up to the next section
  std::vector<std::pair<std::string, std::string>> keys;  // name and value of each key line
};

// The sections of a file in their order; lines before the first belong to none.
std::vector<ShippedSection> ReadSections(std::string_view bytes) {
  const FileEncoding encoding = DetectEncoding(bytes);
  const auto text = [&](std::size_t begin, std::size_t end) {
    return DecodeText(bytes.substr(begin, end - begin), encoding);
  };
  std::vector<ShippedSection> sections;
  for (std::size_t pos = TextStart(bytes, encoding); pos < bytes.size();) {
    const IniLine line = ReadLine(bytes, pos, encoding);
    pos = line.end;
    if (line.kind == LineKind::Section)
      sections.push_back({text(line.name.begin, line.name.end), {}, {}});
    if (sections.empty()) continue;
    sections.back().text += text(line.begin, line.end);
    if (line.kind == LineKind::Key) {
      sections.back().keys.emplace_back(text(line.name.begin, line.name.end),
                                        text(line.value.begin, line.value.end));
    }
  }
  return sections;
}

// Whether the file's last line is blank, or the file holds no text.
bool EndsWithBlankLine(std::string_view bytes, FileEncoding encoding) {
  std::size_t end = bytes.size();
  if (end > 0 && bytes[end - 1] == '\n') --end;
  if (end > 0 && bytes[end - 1] == '\r') --end;
  return end <= TextStart(bytes, encoding) || bytes[end - 1] == '\n' || bytes[end - 1] == '\r';
}

// Adds a whole section at the end of the file, after a blank line.
bool AppendSection(std::string& bytes, FileEncoding encoding, const ShippedSection& section) {
  const std::optional<std::string> text = EncodeText(section.text, encoding);
  if (!text) return false;
  if (!EndsLine(bytes, encoding)) bytes += kLineEnd;
  if (!EndsWithBlankLine(bytes, encoding)) bytes += kLineEnd;
  bytes += *text;
  if (!EndsLine(bytes, encoding)) bytes += kLineEnd;
  return FindEntry(bytes, encoding, section.name, {}).section.has_value();
}

}  // namespace

std::optional<MergedFile> WithShippedEntries(std::string_view current, std::string_view shipped) {
  const FileEncoding encoding = DetectEncoding(current);
  if (current.size() == TextStart(current, encoding)) return MergedFile{std::string(shipped), {}};

  MergedFile merged{std::string(current), {}};
  for (const ShippedSection& section : ReadSections(shipped)) {
    if (!FindEntry(merged.bytes, encoding, section.name, {}).section) {
      if (!AppendSection(merged.bytes, encoding, section)) return std::nullopt;
      merged.added.push_back("[" + section.name + "]");
      continue;
    }
    for (const auto& [key, value] : section.keys) {
      if (FindEntry(merged.bytes, encoding, section.name, key).key) continue;
      std::optional<std::string> bytes = WithValue(merged.bytes, section.name, key, value);
      if (!bytes) return std::nullopt;
      merged.bytes = std::move(*bytes);
      merged.added.push_back("[" + section.name + "] " + key);
    }
  }
  return merged;
}

}  // namespace varnok::ini
