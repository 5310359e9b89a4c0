#pragma once

#include <optional>
#include <string>

#include "cli/command_error.h"
#include "cli/command_output.h"
#include "cli/setting_words.h"
#include "printer/spooler.h"

namespace varnok::cli {

struct SetOptions {
  std::string config_path;  // the settings file with the models' corrections
  bool dry_run = false;     // show what would be sent, send nothing
  std::string server;       // the print server, as messages name it
};

// `set`: the Chinese window's OK for each queue — the same rules and bytes, except that the
// model is tested for every item. Every queue is prepared before the first is sent to; one
// queue's failure does not stop the others. Ok only when every queue took the setting (with
// dry_run: when every queue would take it; one that accepts no jobs would not).
// Several queues are prepared, and then sent to, at once: the spooler is called from several
// threads (CupsSpooler keeps no state, and libcups keeps its own per thread).
ExitStatus SetSetting(const SettingWords& setting, const SetOptions& options, Spooler& spooler,
                      const CommandOutput& output);

}  // namespace varnok::cli
