#pragma once

#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/command_error.h"
#include "cli/command_output.h"
#include "fleet/settings_delivery.h"
#include "spooler/print_server.h"
#include "spooler/spooler.h"

namespace varnok::cli {

// `state`: per queue (every brand queue when none is named) and setting, the last value
// delivered, when, by whom and in which job, or why it is unknown.
void ShowState(const std::string& journal_path, const std::vector<std::string>& queues,
               PrintServer& server, const CommandOutput& output);

// `drift`: the queues whose delivered settings differ from the profile's, setting by setting,
// compared by the commands the profile gives each queue's model. Ok when none differs, Failed
// when one does (or cannot be compared).
ExitStatus ShowDrift(const std::string& journal_path, const std::string& profile_path,
                     const std::vector<std::string>& queues, const DeliveryOptions& options,
                     PrintServer& server, Spooler& spooler, const CommandOutput& output);

// The `state` command: queues, --journal and --json.
Command StateCommand(CLI::App& app);

// The `drift` command: a profile, queues, --journal, --config and --json.
Command DriftCommand(CLI::App& app);

}  // namespace varnok::cli
