#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace varnok {

// The pattern with each "{name}" replaced by its value in one pass, so that text inserted
// from a value is never read as a placeholder itself. Unknown names stay as written.
std::string FillIn(std::string_view pattern,
                   std::initializer_list<std::pair<std::string_view, std::string_view>> values);

}  // namespace varnok
