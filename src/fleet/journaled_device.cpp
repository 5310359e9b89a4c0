#include "fleet/journaled_device.h"

namespace varnok {

std::optional<std::string> InnerDeviceUri(std::string_view device_uri) {
  if (!device_uri.starts_with(kJournalScheme)) return std::nullopt;
  const std::string_view inner = device_uri.substr(kJournalScheme.size());
  // A URI naming the backend again would have it run itself.
  if (inner.find(':') == std::string_view::npos || inner.starts_with(kJournalScheme)) {
    return std::nullopt;
  }
  return std::string(inner);
}

std::string JournaledDeviceUri(std::string_view device_uri) {
  if (device_uri.starts_with(kJournalScheme)) return std::string(device_uri);
  return std::string(kJournalScheme) + std::string(device_uri);
}

}  // namespace varnok
