#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace varnok::cli {

// The time in UTC as ISO 8601 gives it, to the millisecond: "2026-12-09T07:31:02.345Z".
std::string UtcTime(std::chrono::system_clock::time_point time);

// A time typed in UTC: "2026-12-10", "2026-12-10T14:30", "2026-12-10 14:30:05", with or
// without a final "Z"; nothing for any other text.
std::optional<std::chrono::system_clock::time_point> ReadUtcTime(std::string_view text);

}  // namespace varnok::cli
