#include "cli/command.h"

#include <CLI/CLI.hpp>

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "cli/command_help.h"
#include "fleet/journal.h"
#include "foundation/ini_file.h"
#include "foundation/message_template.h"
#include "foundation/program_folder.h"

namespace varnok::cli {

std::string Footer(std::initializer_list<std::string_view> paragraphs) {
  std::string footer;
  for (const std::string_view paragraph : paragraphs) footer.append(paragraph).append("\n\n");
  return footer.append(help::kExitStatus);
}

void AddJsonFlag(CLI::App& command, bool& json) {
  command.add_flag("--json", json, "Write one JSON document to standard output instead of a table");
}

void AddNamesFlag(CLI::App& command, bool& names, const std::string& help) {
  command.add_flag("--names", names, help);
}

void AddJournalOption(CLI::App& command, std::string& path) {
  command
      .add_option("--journal", path,
                  "The print server's journal (default: $VARNOK_JOURNAL, else " +
                      std::string(kDefaultJournalPath) + ")")
      ->type_name("FILE");
}

void DeliveryWords::AddConfigOption(CLI::App& command) {
  command
      .add_option("--config", config_path,
                  "The settings file with the models' corrections (default: config.ini beside "
                  "the program)")
      ->type_name("FILE");
}

void DeliveryWords::AddDryRunFlag(CLI::App& command) {
  command.add_flag(
      "--dry-run", dry_run,
      "Show what would be sent to each queue and whether it would take it; send nothing");
}

DeliveryOptions DeliveryWords::Options(const Services& services) const {
  if (!config_path.empty() && !IniFileReadable(config_path)) {
    throw UsageError(
        FillIn(CliTextsIn(services.language).config_unreadable, {{"file", config_path}}));
  }
  return {config_path.empty() ? ConfigFilePath() : config_path, dry_run};
}

}  // namespace varnok::cli
