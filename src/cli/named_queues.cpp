#include "cli/named_queues.h"

#include <algorithm>

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "cli/server_problem.h"
#include "settings/ascii_case.h"
#include "settings/message_template.h"

namespace varnok::cli {

std::vector<std::string> ServerQueueNames(PrintServer& server, Language language) {
  const auto queues = server.Queues();
  if (!queues) {
    const CliTexts& texts = CliTextsIn(language);
    throw ServerError(
        ServerProblem(texts, texts.queue_check_action, queues.failure(), server.Name()));
  }
  std::vector<std::string> names;
  for (const QueueDetails& queue : *queues) names.push_back(queue.name);
  return names;
}

std::optional<std::string> FindQueue(const std::vector<std::string>& server_queues,
                                     std::string_view name) {
  const auto found = std::ranges::find_if(server_queues, [name](const std::string& queue) {
    return EqualIgnoringAsciiCase(queue, name);
  });
  if (found == server_queues.end()) return std::nullopt;
  return *found;
}

std::vector<std::string> NamedQueues(const std::vector<std::string>& names, PrintServer& server,
                                     Language language) {
  const std::vector<std::string> server_queues = ServerQueueNames(server, language);
  const CliTexts& texts = CliTextsIn(language);
  std::vector<std::string> queues;
  std::string unknown;
  for (const std::string& name : names) {
    if (const std::optional<std::string> queue = FindQueue(server_queues, name)) {
      if (std::ranges::find(queues, *queue) == queues.end()) queues.push_back(*queue);
    } else {
      texts.AddToList(unknown, name);
    }
  }
  if (!unknown.empty()) {
    throw UsageError(
        FillIn(texts.unknown_queues, {{"queues", unknown}, {"server", server.Name()}}));
  }
  return queues;
}

}  // namespace varnok::cli
