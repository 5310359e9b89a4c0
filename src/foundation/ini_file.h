#pragma once

#include <string>
#include <string_view>

namespace varnok {

// Reads one value of a profile ("INI") file the way the Windows profile reader does:
// case-blind names, blanks around names and value dropped, one pair of surrounding quotes
// removed, then at most 254 bytes of the file kept (never splitting a character), and UTF-8 or
// GBK text decoded to UTF-8 (a GBK value may then be longer than 254 bytes). A missing file,
// section or key reads as the empty text, as does a file that cannot be read (see
// IniFileReadable).
std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key);

// Whether the file at path can be read as a settings file: it exists, may be read, is an ordinary
// file no larger than 1 MiB, and no save holds it locked for long.
bool IniFileReadable(const std::string& path);

// Writes one value, creating the file, section or key as needed and keeping every other byte.
// New text is written in the file's own encoding (a GBK file stays GBK; a new file is UTF-8) with
// CR LF line ends. The file is replaced atomically where its folder allows, and otherwise written
// in place, so a file its owner or group may write is saved in a folder they may not change. The
// file stays locked from its read to its write, so saves made at the same moment never lose one
// another's values. False when the write could not be made (the old file stays): among others for
// a file that cannot be read, for a link or a file of another user in a folder others may change
// (see file_access.h), and for names or values that could not be read back as written (line ends,
// an empty name, "=" in a key or a key beginning with "[").
bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

}  // namespace varnok
