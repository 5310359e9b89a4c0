#include "cli/server_problem.h"

#include "foundation/message_template.h"
#include "spooler/system_spooler.h"

namespace varnok::cli {

std::string ServerProblem(const CliTexts& texts, std::string_view action,
                          const SpoolerFailure& failure, std::string_view server) {
  if (failure.unreachable) return FillIn(texts.unreachable, {{"server", server}});
  if (failure.no_answer) return FillIn(texts.no_answer, {{"server", server}});
  if (const auto& wanted = failure.password) {
    return FillIn(wanted->refused ? texts.password_refused : texts.password_wanted,
                  {{"server", server}, {"user", wanted->user}});
  }
  if (SaysNotAPrintServer(failure)) {
    return FillIn(texts.not_a_print_server, {{"server", server}, {"reason", failure.reason}});
  }
  return FillIn(texts.server_answered,
                {{"action", FillIn(action, {{"server", server}})}, {"reason", failure.reason}});
}

std::string QueueProblem(const CliTexts& texts, std::string_view action, std::string_view queue,
                         const SpoolerFailure& failure, std::string_view server) {
  if (SaysQueueIsMissing(failure) && !failure.no_answer && !failure.unreachable) {
    return FillIn(texts.no_such_queue, {{"queue", queue}, {"server", server}});
  }
  return ServerProblem(texts, action, failure, server);
}

std::string RightsProblem(const CliTexts& texts, std::string_view action, std::string_view command,
                          const SpoolerFailure& failure, std::string_view server) {
  return FillIn(
      texts.rights,
      {{"action", action}, {"server", server}, {"reason", failure.reason}, {"command", command}});
}

}  // namespace varnok::cli
