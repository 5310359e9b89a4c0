#include "cli/journal_command.h"

#include <algorithm>

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "cli/named_queues.h"
#include "cli/server_problem.h"
#include "cli/terminal_text.h"
#include "fleet/journaled_device.h"
#include "printer/system_spooler.h"
#include "settings/message_template.h"

namespace varnok::cli {

void ChangeJournaling(bool enable, const std::vector<std::string>& named, PrintServer& server,
                      const CommandOutput& output) {
  const CliTexts& texts = output.texts();
  const std::vector<std::string> queues = NamedQueues(named, server, output.language);
  SpoolerFailure failure;
  const auto details = server.Queues(failure);
  if (!details) {
    throw ServerError(ServerProblem(texts, texts.queue_check_action, failure, server.Name()));
  }
  for (const std::string& queue : queues) {
    const auto found = std::ranges::find(*details, queue, &QueueDetails::name);
    if (found == details->end()) continue;  // removed since it was named
    const std::string uri = enable ? JournaledDeviceUri(found->device_uri)
                                   : InnerDeviceUri(found->device_uri).value_or(found->device_uri);
    if (uri != found->device_uri) {
      if (const auto refused = server.ChangeDevice(queue, uri)) {
        throw ServerError(
            SaysNotAllowed(*refused)
                ? RightsProblem(texts, texts.change_rights_action, "journal", *refused,
                                server.Name())
                : ServerProblem(texts, FillIn(texts.journal_change_action, {{"queue", queue}}),
                                *refused, server.Name()));
      }
    }
    SayLine(output.out, FillIn(enable ? texts.journal_enabled : texts.journal_disabled,
                               {{"queue", queue}, {"uri", uri}}));
  }
}

}  // namespace varnok::cli
