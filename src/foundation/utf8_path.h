#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Paths are UTF-8 text inside the program. The file system takes them in its own form (UTF-16
// on Windows, whose narrow calls would read them in the ANSI code page), so every path crosses
// over here.
namespace varnok {

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace varnok
