#include "cli/remove_command.h"

#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "cli/named_queues.h"
#include "cli/server_problem.h"
#include "cli/terminal_text.h"
#include "foundation/message_template.h"
#include "spooler/system_spooler.h"

namespace varnok::cli {

void RemoveQueues(const std::vector<std::string>& named, PrintServer& server,
                  const CommandOutput& output) {
  const CliTexts& texts = output.texts();
  for (const std::string& queue : NamedQueues(named, server, output.language)) {
    if (const auto removed = server.RemoveQueue(queue); !removed) {
      const SpoolerFailure& refused = removed.failure();
      throw ServerError(
          SaysNotAllowed(refused)
              ? RightsProblem(texts, texts.change_rights_action, "remove", refused, server.Name())
              : ServerProblem(texts, FillIn(texts.remove_action, {{"queue", queue}}), refused,
                              server.Name()));
    }
    SayLine(output.out, FillIn(texts.removed, {{"queue", queue}}));
  }
}

namespace {

constexpr std::string_view kRemoveHelp =
    "Removes each queue from the print server, with the jobs still waiting in it. The\n"
    "queues must be queues of the print server; removing takes root or the lpadmin\n"
    "group, as add does.\n"
    "\n"
    "Examples:\n"
    "  varnok-printer remove VARNOK_OLD_DOCK";

}  // namespace

Command RemoveCommand(CLI::App& app) {
  const auto queues = std::make_shared<std::vector<std::string>>();
  CLI::App* remove = app.add_subcommand("remove", "Removes printer queues");
  remove->add_option("QUEUE", *queues, "The queues")->type_name("")->required();
  remove->footer(Footer({kRemoveHelp}));
  return {remove, [queues](const Services& services) {
            RemoveQueues(*queues, services.print_server, services.Output(false));
            return static_cast<int>(ExitStatus::Ok);
          }};
}

}  // namespace varnok::cli
