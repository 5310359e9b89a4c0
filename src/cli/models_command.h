#pragma once

#include "cli/command_output.h"

namespace varnok::cli {

// `models`: the supported models, each with its driver file's name.
void ListModels(const CommandOutput& output);

}  // namespace varnok::cli
