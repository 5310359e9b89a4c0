#pragma once

#include <string>
#include <string_view>

namespace varnok {

// The path of a file chosen in the file list: the folder, the separator and the name, joined as
// they are. At a root ("/", "C:\") the separator is doubled ("//name", "C:\\name"), which
// the system reads as one.
std::string BuildSendPath(std::string_view folder, std::string_view file_name, char separator);

}  // namespace varnok
