#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "foundation/file_text.h"

// Changes to the bytes of a settings file, each keeping every byte it does not change.
namespace varnok::ini {

// Lines the program adds end in CR LF, whatever the file's other lines end in.
inline constexpr std::string_view kLineEnd = "\r\n";

// Whether text added at the end of the file starts a line of its own: the file holds no text or
// ends with a line end.
bool EndsLine(std::string_view bytes, FileEncoding encoding);

// The bytes with the value written under key in section as WriteIniString writes it (ini_file.h),
// or nothing when that cannot be done so that it reads back.
std::optional<std::string> WithValue(std::string_view file_bytes, std::string_view section,
                                     std::string_view key, std::string_view value);

}  // namespace varnok::ini
