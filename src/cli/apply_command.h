#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/command_error.h"
#include "cli/command_output.h"
#include "fleet/settings_delivery.h"
#include "spooler/print_server.h"
#include "spooler/spooler.h"

namespace varnok::cli {

// `apply PROFILE QUEUE…`: the whole profile is read and checked, and the queues named found on
// the print server, before anything is sent (UsageError otherwise); then the profile's settings
// go to each queue as DeliverSettings sends them, one job a queue; one line a queue with every
// command sent, then the notice once. Ok only when every queue took its job (with dry_run: when
// every queue would take it).
// With converge_journal, the journal there is read first: each queue is sent only the settings
// whose delivered value differs or is unknown, in the profile's order, in one job; a queue with
// nothing to send is unchanged and gets no job, one whose earlier settings job still waits in
// the print system gets none either (waiting: not a failure, as that job is on its way).
ExitStatus ApplyProfile(const std::string& profile_path, const std::vector<std::string>& named,
                        const DeliveryOptions& options, PrintServer& print_server, Spooler& spooler,
                        const CommandOutput& output,
                        const std::optional<std::string>& converge_journal = std::nullopt);

// `apply --template`: a profile to start from, in the run's language.
void PrintProfileTemplate(const CommandOutput& output);

// The `apply` command: a profile and queues, or --template; --converge with the journal,
// --config, --dry-run and --json.
Command ApplyCommand(CLI::App& app);

}  // namespace varnok::cli
