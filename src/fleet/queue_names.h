#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnok {

// The server's own spelling of a queue name, found without regard to case as CUPS finds queues,
// or nullopt when it has no such queue.
std::optional<std::string> FindQueue(const std::vector<std::string>& server_queues,
                                     std::string_view name);

// Queue names as a person gave them, against the print server's queues.
struct MatchedQueues {
  std::vector<std::string> queues;   // as the server spells them, each once (in any letter case
                                     // it is the same queue), in the order first named
  std::vector<std::string> unknown;  // the names the server has no queue of, as given
};
MatchedQueues MatchQueues(const std::vector<std::string>& names,
                          const std::vector<std::string>& server_queues);

}  // namespace varnok
