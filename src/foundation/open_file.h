#pragma once

#include <cstdio>
#include <string>

namespace varnok {

// Opens a file, its path in UTF-8, for reading bytes; nullptr, with errno set, when it cannot be
// opened.
std::FILE* OpenFileForReading(const std::string& path);

}  // namespace varnok
