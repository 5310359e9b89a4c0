#include "cli/json_output.h"

#include <cstdio>

namespace varnok::cli {

std::string HexBytes(std::string_view bytes) {
  std::string hex;
  for (const char c : bytes) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(c));
    hex += (hex.empty() ? "" : " ") + std::string(pair);
  }
  return hex;
}

void PrintJson(std::ostream& out, const nlohmann::ordered_json& document) {
  out << document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

}  // namespace varnok::cli
