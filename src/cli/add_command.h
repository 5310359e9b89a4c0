#pragma once

#include <optional>
#include <string>

#include "cli/command.h"
#include "cli/command_output.h"
#include "spooler/print_server.h"

namespace varnok::cli {

struct AddRequest {
  std::optional<std::string> queue;  // proposed from the model when absent
  std::string model;
  std::optional<std::string> device_uri;
  std::optional<std::string> address;  // HOST[:PORT], instead of device_uri
  bool replace = false;
  bool journal = true;   // through the journaling backend
  bool dry_run = false;  // check everything and say what would be done, change nothing
};

// `add`: creates a queue with the model's driver file, enabled and accepting jobs; with
// replace, changes the queue of that name (in any letter case) and names it as the server
// does. Everything that can be checked is checked before the print server is asked to change
// anything. With --json: {"queue", "model", "device_uri", "existed", "dry_run"}, the queue's
// name and model spelt as list shows them, so that a script can compare the two.
void AddQueue(const AddRequest& request, PrintServer& server, const CommandOutput& output);

// The `add` command, with where the printer is and how its queue is made.
Command AddCommand(CLI::App& app);

}  // namespace varnok::cli
