#include "fleet/queue_names.h"

#include <algorithm>

#include "foundation/ascii_case.h"

namespace varnok {

std::optional<std::string> FindQueue(const std::vector<std::string>& server_queues,
                                     std::string_view name) {
  const auto found = std::ranges::find_if(server_queues, [name](const std::string& queue) {
    return EqualIgnoringAsciiCase(queue, name);
  });
  if (found == server_queues.end()) return std::nullopt;
  return *found;
}

MatchedQueues MatchQueues(const std::vector<std::string>& names,
                          const std::vector<std::string>& server_queues) {
  MatchedQueues matched;
  for (const std::string& name : names) {
    if (const std::optional<std::string> queue = FindQueue(server_queues, name)) {
      if (std::ranges::find(matched.queues, *queue) == matched.queues.end()) {
        matched.queues.push_back(*queue);
      }
    } else {
      matched.unknown.push_back(name);
    }
  }
  return matched;
}

}  // namespace varnok
