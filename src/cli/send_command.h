#pragma once

#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/command_error.h"
#include "cli/command_output.h"
#include "spooler/spooler.h"

namespace varnok::cli {

struct SendOptions {
  std::string server;  // the print server, as messages name it
  std::ostream* progress_terminal = nullptr;
};

// `send`: the file unchanged to each queue, one raw job a queue titled with the file's name,
// through the send-file window's path. A file that is missing, empty, unreadable or not an
// ordinary file is refused before anything is sent (UsageError). Progress goes to
// `progress_terminal` when it is not null and the file is over 1 MiB; an interrupt (see
// InterruptSends) cancels the job in progress, so that printer receives nothing, and sends no
// more. Once the print system has not answered about a queue, the later queues are not tried:
// each would wait as long for nothing.
ExitStatus SendFileToQueues(const std::string& path, const std::vector<std::string>& queues,
                            const SendOptions& options, Spooler& spooler,
                            const CommandOutput& output);

// Asks the send in progress to stop; safe to call from a signal handler.
void InterruptSends();
bool SendsWereInterrupted();

// The `send` command: a file, queues and --json; Ctrl+C stops it (exit status 130).
Command SendCommand(CLI::App& app);

}  // namespace varnok::cli
