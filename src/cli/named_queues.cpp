#include "cli/named_queues.h"

#include "cli/cli_texts.h"
#include "cli/server_problem.h"
#include "foundation/message_template.h"

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

std::vector<std::string> NamedQueues(const std::vector<std::string>& names, PrintServer& server,
                                     Language language) {
  MatchedQueues matched = MatchQueues(names, ServerQueueNames(server, language));
  if (!matched.unknown.empty()) throw UnknownQueues(matched.unknown, server.Name(), language);
  return std::move(matched.queues);
}

UsageError UnknownQueues(const std::vector<std::string>& unknown, std::string_view server,
                         Language language) {
  const CliTexts& texts = CliTextsIn(language);
  std::string list;
  for (const std::string& name : unknown) texts.AddToList(list, name);
  return UsageError(FillIn(texts.unknown_queues, {{"queues", list}, {"server", server}}));
}

}  // namespace varnok::cli
