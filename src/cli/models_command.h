#pragma once

#include "cli/command.h"
#include "cli/command_output.h"

namespace varnok::cli {

// `models`: the supported models, each with its driver file's name.
// With names_only, only the models' names, one a line.
void ListModels(const CommandOutput& output, bool names_only);

// The `models` command, with --json and --names.
Command ModelsCommand(CLI::App& app);

}  // namespace varnok::cli
