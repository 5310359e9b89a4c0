#pragma once

#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/command_output.h"
#include "spooler/print_server.h"

namespace varnok::cli {

// `journal enable|disable QUEUE…`: points each queue's device through the journaling backend,
// or back to the printer's own device URI; a queue that is so already is left alone. One line
// a queue; ServerError at the first queue the print server does not change.
void ChangeJournaling(bool enable, const std::vector<std::string>& named, PrintServer& server,
                      const CommandOutput& output);

// The `journal` command and its `enable` and `disable`.
Command JournalCommand(CLI::App& app);

}  // namespace varnok::cli
