#include "cli/remove_command.h"

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "cli/named_queues.h"
#include "cli/server_problem.h"
#include "cli/terminal_text.h"
#include "printer/system_spooler.h"
#include "settings/message_template.h"

namespace varnok::cli {

void RemoveQueues(const std::vector<std::string>& named, PrintServer& server,
                  const CommandOutput& output) {
  const CliTexts& texts = output.texts();
  for (const std::string& queue : NamedQueues(named, server, output.language)) {
    if (const auto refused = server.RemoveQueue(queue)) {
      throw ServerError(
          SaysNotAllowed(*refused)
              ? RightsProblem(texts, texts.change_rights_action, "remove", *refused, server.Name())
              : ServerProblem(texts, FillIn(texts.remove_action, {{"queue", queue}}), *refused,
                              server.Name()));
    }
    SayLine(output.out, FillIn(texts.removed, {{"queue", queue}}));
  }
}

}  // namespace varnok::cli
