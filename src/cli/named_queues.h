#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "printer/print_server.h"
#include "settings/language.h"

namespace varnok::cli {

// The names of every queue of the print server; throws ServerError when it cannot be asked.
std::vector<std::string> ServerQueueNames(PrintServer& server, Language language);

// The server's own spelling of a queue name, found without regard to case as CUPS finds queues,
// or nullopt when it has no such queue.
std::optional<std::string> FindQueue(const std::vector<std::string>& server_queues,
                                     std::string_view name);

// The queues named on the command line as the print server spells them, each once (in any
// letter case it is the same queue), in the order first named. A name the server does not have
// is a typing error: UsageError naming every such name, before anything is sent.
std::vector<std::string> NamedQueues(const std::vector<std::string>& names, PrintServer& server,
                                     Language language);

}  // namespace varnok::cli
