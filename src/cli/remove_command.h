#pragma once

#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/command_output.h"
#include "spooler/print_server.h"

namespace varnok::cli {

// `remove QUEUE…`: removes each queue from the print server, one line a queue; ServerError at
// the first queue the server does not remove.
void RemoveQueues(const std::vector<std::string>& named, PrintServer& server,
                  const CommandOutput& output);

// The `remove` command.
Command RemoveCommand(CLI::App& app);

}  // namespace varnok::cli
