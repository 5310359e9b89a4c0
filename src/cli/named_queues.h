#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/command_error.h"
#include "fleet/queue_names.h"
#include "foundation/language.h"
#include "spooler/print_server.h"

namespace varnok::cli {

// The names of every queue of the print server; throws ServerError when it cannot be asked.
std::vector<std::string> ServerQueueNames(PrintServer& server, Language language);

// The queues named on the command line as the print server spells them (MatchQueues). A name
// the server does not have is a typing error: UsageError naming every such name, before
// anything is sent.
std::vector<std::string> NamedQueues(const std::vector<std::string>& names, PrintServer& server,
                                     Language language);

// The refusal of names the print server has no queue of.
UsageError UnknownQueues(const std::vector<std::string>& unknown, std::string_view server,
                         Language language);

}  // namespace varnok::cli
