#pragma once

#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/command_output.h"
#include "fleet/settings_delivery.h"
#include "foundation/language.h"
#include "spooler/print_server.h"
#include "spooler/spooler.h"

namespace CLI {
class App;
}

// What a command of varnok-printer is made of: its words, declared on the program's parser by
// the command's own file, and what it does once they are parsed.
namespace varnok::cli {

// What main makes for the command after parsing: the print system, where to write, the language.
struct Services {
  PrintServer& print_server;
  Spooler& spooler;
  std::ostream& out;
  std::ostream& err;
  bool terminal = false;  // out is a terminal
  Language language = Language::English;

  CommandOutput Output(bool json) const { return {out, err, json, terminal, language}; }
};

struct Command {
  CLI::App* app;                            // the subcommand; it runs when parsed
  std::function<int(const Services&)> run;  // the exit status
};

// A command's help after its options: its text's paragraphs, then the exit statuses every
// command shares.
std::string Footer(std::initializer_list<std::string_view> paragraphs);

// The options several commands share.
void AddJsonFlag(CLI::App& command, bool& json);
void AddNamesFlag(CLI::App& command, bool& names, const std::string& help);
void AddJournalOption(CLI::App& command, std::string& path);

// --config and --dry-run of the commands that send settings or compare with them.
struct DeliveryWords {
  std::string config_path;
  bool dry_run = false;

  void AddConfigOption(CLI::App& command);
  void AddDryRunFlag(CLI::App& command);
  // UsageError when the --config file cannot be read.
  DeliveryOptions Options(const Services& services) const;
};

}  // namespace varnok::cli
