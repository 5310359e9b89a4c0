#pragma once

#include <string>
#include <string_view>

namespace varnok {

// The path of a file chosen in the file list: the folder, "/" and the name, joined as they are.
// At the root "/" the separator is doubled ("//name"), which the system reads as "/name".
std::string BuildSendPath(std::string_view folder, std::string_view file_name);

}  // namespace varnok
