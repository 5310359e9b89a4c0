#pragma once

#include "cli/command.h"
#include "cli/command_output.h"
#include "spooler/print_server.h"

namespace varnok::cli {

// `devices`: the printers the print server can see that have no queue yet, VARNOK ones first.
void ListDevices(PrintServer& server, int timeout_seconds, const CommandOutput& output);

// Whether a device looks like a VARNOK printer (by its make and model, description or id).
bool IsVarnokDevice(const Device& device);

// The `devices` command, with --timeout and --json.
Command DevicesCommand(CLI::App& app);

}  // namespace varnok::cli
