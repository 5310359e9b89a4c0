#include "foundation/ini_lines.h"

namespace varnok::ini {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// The span without blanks at either end.
Span Trim(std::string_view bytes, Span span) {
  while (span.begin < span.end && IsBlank(bytes[span.begin])) ++span.begin;
  while (span.end > span.begin && IsBlank(bytes[span.end - 1])) --span.end;
  return span;
}

// Classifies the content of one line (without its line end).
void ReadContent(std::string_view bytes, FileEncoding encoding, IniLine& line) {
  const Span content = Trim(bytes, {line.begin, line.content_end});
  if (content.size() == 0) return;

  std::size_t first_equals = content.end;
  std::size_t last_bracket = content.end;
  for (std::size_t pos = content.begin; pos < content.end;) {
    const std::size_t size = CharacterSize(bytes, pos, encoding);
    if (size == 1 && bytes[pos] == '=' && first_equals == content.end) first_equals = pos;
    if (size == 1 && bytes[pos] == ']') last_bracket = pos;
    pos += size;
  }

  if (bytes[content.begin] == '[' && last_bracket != content.end) {
    line.kind = LineKind::Section;
    line.name = Trim(bytes, {content.begin + 1, last_bracket});
  } else if (first_equals != content.end) {
    line.kind = LineKind::Key;
    line.name = Trim(bytes, {content.begin, first_equals});
    line.value = Trim(bytes, {first_equals + 1, content.end});
  }
}

}  // namespace

std::size_t TextStart(std::string_view bytes, FileEncoding encoding) {
  return encoding == FileEncoding::Utf8 && bytes.starts_with(kByteOrderMark) ? kByteOrderMark.size()
                                                                             : 0;
}

IniLine ReadLine(std::string_view bytes, std::size_t begin, FileEncoding encoding) {
  IniLine line;
  line.begin = begin;
  // CR and LF are never part of a multi-byte character in UTF-8 or GBK.
  const std::size_t line_end = bytes.find_first_of("\r\n", begin);
  line.content_end = line_end == std::string_view::npos ? bytes.size() : line_end;
  line.end = line.content_end;
  if (line.end < bytes.size()) {
    const bool crlf =
        bytes[line.end] == '\r' && line.end + 1 < bytes.size() && bytes[line.end + 1] == '\n';
    line.end += crlf ? 2 : 1;
  }
  ReadContent(bytes, encoding, line);
  return line;
}

}  // namespace varnok::ini
