#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "foundation/file_text.h"
#include "foundation/ini_lines.h"

// Finds a section and a key in the lines of a profile file: names compared without regard to
// letter case and blanks; the first matching section and, inside it, the first matching key win.
// Lines before the first section header belong to no section.
namespace varnok::ini {

struct EntryLocation {
  std::optional<IniLine> section;  // the section's header line
  std::optional<IniLine> key;      // the key's line inside that section
  // Where a missing key goes: after the section's last key line, or after its header line
  // when it has no key; so blank lines and comments that end the section stay where they are.
  IniLine insert_after;
};

EntryLocation FindEntry(std::string_view bytes, FileEncoding encoding, std::string_view section,
                        std::string_view key);

// Where the reader finds the key's value in these bytes (their encoding detected), if it finds
// the key at all.
std::optional<Span> FindValue(std::string_view bytes, std::string_view section,
                              std::string_view key);

// Case-blind comparison of a name of the file (in its encoding) with a UTF-8 name; letters
// A-Z and a-z are folded, every other character must be equal.
bool NameMatches(std::string_view file_name, FileEncoding encoding, std::string_view name);

// The name without blanks at either end.
std::string_view TrimName(std::string_view name);

}  // namespace varnok::ini
