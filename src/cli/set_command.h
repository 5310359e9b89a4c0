#pragma once

#include "cli/command.h"
#include "cli/command_error.h"
#include "cli/command_output.h"
#include "cli/setting_words.h"
#include "fleet/settings_delivery.h"
#include "spooler/spooler.h"

namespace varnok::cli {

// `set`: one setting to each queue, as DeliverSettings sends it; one line a queue. Ok only when
// every queue took the setting (with dry_run: when every queue would take it). `server` names
// the print server in the queues' reasons.
ExitStatus SetSetting(const SettingWords& setting, const DeliveryOptions& options, Spooler& spooler,
                      std::string_view server, const CommandOutput& output);

// The `set` command: the setting's words, the network card's options, --config, --dry-run and
// --json.
Command SetCommand(CLI::App& app);

}  // namespace varnok::cli
