#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnok {

// A queue whose device URI begins with this goes through the journaling backend, which hands
// the job to the printer's own device URI that follows it ("varnok:socket://10.0.0.7:9100").
inline constexpr std::string_view kJournalScheme = "varnok:";

// The printer's own device URI behind a journaled one; nothing for a queue that is not
// journaled (or whose URI names no device after the scheme).
std::optional<std::string> InnerDeviceUri(std::string_view device_uri);

// The device URI that sends a queue's jobs to `device_uri` through the backend; one that
// does already is kept as it is.
std::string JournaledDeviceUri(std::string_view device_uri);

}  // namespace varnok
