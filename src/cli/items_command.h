#pragma once

#include <string>

#include "cli/command_output.h"

namespace varnok::cli {

// `items`: the settings `set` takes, by short name, with what each sets and takes.
void ListItems(const CommandOutput& output);

// The same as a text for the help of `set`.
std::string ItemsHelp();

}  // namespace varnok::cli
