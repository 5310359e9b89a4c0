#include "cli/socket_address.h"

#include <algorithm>

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "fleet/setting_values.h"
#include "foundation/message_template.h"

namespace varnok::cli {
namespace {

bool IsHostNameCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
         c == '-' || c == '_';
}

bool IsV6AddressCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == ':' ||
         c == '.';
}

// A host name, an IPv4 address, or an IPv6 address (which holds two colons at least).
bool IsHost(std::string_view host) {
  if (host.empty()) return false;
  if (std::ranges::count(host, ':') >= 2) return std::ranges::all_of(host, IsV6AddressCharacter);
  return std::ranges::all_of(host, IsHostNameCharacter);
}

}  // namespace

std::string SocketUri(std::string_view address, Language language) {
  std::string_view host = address;
  std::string_view port = kDefaultPort;
  bool bracketed = false;
  if (address.starts_with('[')) {
    const std::size_t close = address.find(']');
    if (close != std::string_view::npos) {
      host = address.substr(1, close - 1);
      bracketed = true;
      const std::string_view rest = address.substr(close + 1);
      if (rest.starts_with(':'))
        port = rest.substr(1);
      else if (!rest.empty())
        host = {};
    }
  } else if (std::ranges::count(address, ':') == 1) {
    const std::size_t colon = address.find(':');
    host = address.substr(0, colon);
    port = address.substr(colon + 1);
  }
  if (!IsHost(host) || (bracketed && host.find(':') == std::string_view::npos) ||
      !IsPortNumber(port)) {
    throw UsageError(FillIn(CliTextsIn(language).not_a_printer_address, {{"address", address}}));
  }
  const bool v6 = host.find(':') != std::string_view::npos;
  return "socket://" + (v6 ? "[" + std::string(host) + "]" : std::string(host)) + ":" +
         std::string(port);
}

}  // namespace varnok::cli
