#pragma once

#include <cstddef>
#include <string_view>

#include "foundation/file_text.h"

// Splits the bytes of a profile file into lines and finds what each line holds, the way the
// Windows profile functions see it. Everything is byte offsets into the file, so a writer can
// change one value and keep every other byte.
namespace varnok::ini {

struct Span {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t size() const { return end - begin; }
};

enum class LineKind {
  Other,    // blank, comment, or any other line without "=" that is no section header
  Section,  // "[name]": the first non-blank character is "[" and the line holds a "]"
  Key,      // "name=value": the first "=" splits the line
};

struct IniLine {
  std::size_t begin = 0;        // first byte of the line
  std::size_t content_end = 0;  // first byte of the line end (CR LF, LF or CR), or end of file
  std::size_t end = 0;          // first byte after the line end
  LineKind kind = LineKind::Other;
  Span name;   // section name between "[" and the last "]", or key name; blanks dropped
  Span value;  // key lines: the value, blanks dropped (quotes kept); empty value sits after "="

  bool has_line_end() const { return end > content_end; }
};

// A UTF-8 byte order mark at the start of a UTF-8 file is not part of the first line.
std::size_t TextStart(std::string_view bytes, FileEncoding encoding);

// The line that starts at begin (< bytes.size()); the next one starts at its end. Lines are
// read one at a time, so a large file costs no memory beyond its bytes.
IniLine ReadLine(std::string_view bytes, std::size_t begin, FileEncoding encoding);

}  // namespace varnok::ini
