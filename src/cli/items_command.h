#pragma once

#include <string>

#include "cli/command_output.h"

namespace varnok::cli {

// `items`: the settings `set` takes, by short name, with what each sets and takes.
// With names_only, a setting a line: its name, then its choices if it has two.
void ListItems(const CommandOutput& output, bool names_only);

// The same as a text for the help of `set`.
std::string ItemsHelp();

}  // namespace varnok::cli
