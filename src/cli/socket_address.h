#pragma once

#include <string>
#include <string_view>

#include "settings/language.h"

namespace varnok::cli {

// The port printers take raw jobs on: a socket URI's when none is given, and the port a network
// card is given when none is.
inline constexpr std::string_view kDefaultPort = "9100";

// The device URI of a network printer at HOST[:PORT] ("[v6 address]" in brackets when a port
// follows): socket://HOST:PORT, port 9100 when none is given. Throws UsageError for an
// address that is not one.
std::string SocketUri(std::string_view address, Language language);

// Whether the text is a port number as the printer is sent it: decimal digits only (no sign, no
// blank), 1 to 65535. CLI11's number options read "010" as 8 and "0x10" as 16.
bool IsPortNumber(std::string_view text);

}  // namespace varnok::cli
