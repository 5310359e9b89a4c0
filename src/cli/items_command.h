#pragma once

#include <string>

#include "cli/command.h"
#include "cli/command_output.h"
#include "printer_settings/setting_names.h"

namespace varnok::cli {

// `items`: the settings `set` takes, by short name, with what each sets and takes.
// With names_only, a setting a line: its name, then its choices if it has two.
void ListItems(const CommandOutput& output, bool names_only);

// What the setting takes ("a whole number, -99 to 99"), and what it sets: in Chinese, its text
// in the Chinese window's list.
std::string Takes(const SettingName& item, Language language);
std::string_view Sets(const SettingName& item, Language language);

// The same as a text for the help of `set`.
std::string ItemsHelp();

// The `items` command, with --json and --names.
Command ItemsCommand(CLI::App& app);

}  // namespace varnok::cli
