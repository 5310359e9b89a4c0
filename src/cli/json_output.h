#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

namespace varnok::cli {

// Writes one JSON document, UTF-8; bytes that are not UTF-8 become U+FFFD instead of failing.
void PrintJson(std::ostream& out, const nlohmann::ordered_json& document);

}  // namespace varnok::cli
