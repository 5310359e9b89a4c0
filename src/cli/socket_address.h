#pragma once

#include <string>
#include <string_view>

#include "foundation/language.h"

namespace varnok::cli {

// The device URI of a network printer at HOST[:PORT] ("[v6 address]" in brackets when a port
// follows): socket://HOST:PORT, port 9100 when none is given. Throws UsageError for an
// address that is not one.
std::string SocketUri(std::string_view address, Language language);

}  // namespace varnok::cli
