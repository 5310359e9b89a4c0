#pragma once

#include "cli/command.h"
#include "cli/command_output.h"
#include "spooler/print_server.h"

namespace varnok::cli {

// `list`: the brand queues as the configuration window lists them, in its order, each with its
// driver name, the model name each window forms from it, whether that model is supported and
// whether the queue accepts jobs.
void ListQueues(PrintServer& server, const CommandOutput& output);

// `list --names`: only the names of those queues, one a line.
void ListQueueNames(PrintServer& server, const CommandOutput& output);

// The `list` command, with --json and --names.
Command ListCommand(CLI::App& app);

}  // namespace varnok::cli
