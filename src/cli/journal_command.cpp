#include "cli/journal_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "cli/command_help.h"
#include "cli/named_queues.h"
#include "cli/server_problem.h"
#include "cli/terminal_text.h"
#include "fleet/journaled_device.h"
#include "foundation/message_template.h"
#include "spooler/system_spooler.h"

namespace varnok::cli {

void ChangeJournaling(bool enable, const std::vector<std::string>& named, PrintServer& server,
                      const CommandOutput& output) {
  const CliTexts& texts = output.texts();
  const std::vector<std::string> queues = NamedQueues(named, server, output.language);
  const auto details = server.Queues();
  if (!details) {
    throw ServerError(
        ServerProblem(texts, texts.queue_check_action, details.failure(), server.Name()));
  }
  for (const std::string& queue : queues) {
    const auto found = std::ranges::find(*details, queue, &QueueDetails::name);
    if (found == details->end()) continue;  // removed since it was named
    const std::string uri = enable ? JournaledDeviceUri(found->device_uri)
                                   : InnerDeviceUri(found->device_uri).value_or(found->device_uri);
    if (uri != found->device_uri) {
      if (const auto changed = server.ChangeDevice(queue, uri); !changed) {
        const SpoolerFailure& refused = changed.failure();
        throw ServerError(
            SaysNotAllowed(refused)
                ? RightsProblem(texts, texts.change_rights_action, "journal", refused,
                                server.Name())
                : ServerProblem(texts, FillIn(texts.journal_change_action, {{"queue", queue}}),
                                refused, server.Name()));
      }
    }
    SayLine(output.out, FillIn(enable ? texts.journal_enabled : texts.journal_disabled,
                               {{"queue", queue}, {"uri", uri}}));
  }
}

namespace {

constexpr std::string_view kJournalHelp =
    "journal enable QUEUE... makes each queue send its jobs through the backend varnok,\n"
    "which journals them (its device URI becomes varnok: followed by the old one);\n"
    "journal disable QUEUE... sends them straight to the printer again. Changing a queue\n"
    "takes root or the lpadmin group, as add does.";

}  // namespace

Command JournalCommand(CLI::App& app) {
  const auto queues = std::make_shared<std::vector<std::string>>();
  CLI::App* journal =
      app.add_subcommand("journal", "Sends queues' jobs through the journal, or no longer");
  journal->require_subcommand(1);
  journal->footer(Footer({kJournalHelp, help::kJournalNote}));
  CLI::App* enable =
      journal->add_subcommand("enable", "Sends the queues' jobs through the journal");
  enable->add_option("QUEUE", *queues, "The queues")->type_name("")->required();
  CLI::App* disable =
      journal->add_subcommand("disable", "Sends the queues' jobs straight to their printers again");
  disable->add_option("QUEUE", *queues, "The queues")->type_name("")->required();
  return {journal, [queues, enable](const Services& services) {
            ChangeJournaling(enable->parsed(), *queues, services.print_server,
                             services.Output(false));
            return static_cast<int>(ExitStatus::Ok);
          }};
}

}  // namespace varnok::cli
