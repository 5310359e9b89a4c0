#pragma once

#include <string_view>

namespace varnok {

// The blanks that may surround what an operator types (a number, a cut count, a file path):
// spaces and tabs.
bool IsBlank(char c);
std::string_view TrimBlanks(std::string_view text);

}  // namespace varnok
