#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace varnok::cli {

// A value, or null when there is none (an empty text counts as none).
template <typename Value>
nlohmann::ordered_json OrNull(const std::optional<Value>& value) {
  return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}
inline nlohmann::ordered_json OrNull(const std::string& text) {
  return text.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(text);
}

// The bytes as pairs of hexadecimal digits, one blank between them: "23 55 0D".
std::string HexBytes(std::string_view bytes);

// Writes one JSON document, UTF-8; bytes that are not UTF-8 become U+FFFD instead of failing.
void PrintJson(std::ostream& out, const nlohmann::ordered_json& document);

}  // namespace varnok::cli
