#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/command_error.h"
#include "cli/command_output.h"
#include "spooler/print_server.h"

namespace varnok::cli {

// `history`: the journal's jobs of the queues (all when none is named), begun at `since` or
// later, newest last, each with its outcome and the settings a settings job carried.
void ShowHistory(const std::string& journal_path, const std::vector<std::string>& queues,
                 const std::optional<std::string>& since, PrintServer& server,
                 const CommandOutput& output);

// The `history` command: queues, --since, --journal and --json.
Command HistoryCommand(CLI::App& app);

}  // namespace varnok::cli
