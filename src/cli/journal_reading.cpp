#include "cli/journal_reading.h"

#include <algorithm>
#include <set>

#include "cli/cli_texts.h"
#include "cli/command_error.h"
#include "cli/named_queues.h"
#include "cli/server_problem.h"
#include "fleet/journaled_device.h"
#include "printer/printer_access.h"
#include "settings/ascii_case.h"
#include "settings/message_template.h"

namespace varnok::cli {

ServerError UnreadableJournal(const JournalError& error, const std::string& path,
                              Language language) {
  const CliTexts& texts = CliTextsIn(language);
  const std::string_view pattern = [&] {
    switch (error.Problem()) {
      case JournalProblem::Missing:
        return texts.journal_missing;
      case JournalProblem::NotAllowed:
        return texts.journal_not_allowed;
      case JournalProblem::NotAJournal:
        return texts.journal_not_a_journal;
      case JournalProblem::Damaged:
        return texts.journal_damaged;
      case JournalProblem::Full:
        return texts.journal_full;
      case JournalProblem::Unavailable:
        return texts.journal_unavailable;
      case JournalProblem::Other:
        break;
    }
    return texts.journal_failed;
  }();
  return ServerError(FillIn(pattern, {{"file", path}, {"detail", error.what()}}));
}

std::vector<ReportedQueue> ReportQueues(Journal* journal, PrintServer& server,
                                        const std::vector<std::string>& named, Language language) {
  const CliTexts& texts = CliTextsIn(language);
  const SpoolerResult<std::vector<QueueDetails>> queues = server.Queues();
  if (!queues) {
    throw ServerError(
        ServerProblem(texts, texts.queue_check_action, queues.failure(), server.Name()));
  }
  const SpoolerResult<std::vector<UnfinishedJob>> unfinished = server.UnfinishedJobs();
  if (!unfinished) {
    throw ServerError(ServerProblem(texts, texts.jobs_action, unfinished.failure(), server.Name()));
  }
  std::vector<std::string> wanted = named;
  if (wanted.empty()) {
    for (const QueueDetails& queue : *queues) {
      if (IsBrandQueueName(queue.name)) wanted.push_back(queue.name);
    }
  } else {
    wanted = NamedQueues(named, server, language);
  }
  std::vector<ReportedQueue> reported;
  for (const std::string& name : wanted) {
    const auto details = std::ranges::find(*queues, name, &QueueDetails::name);
    if (details == queues->end()) continue;  // removed since it was named
    ReportedQueue queue{*details, InnerDeviceUri(details->device_uri), {}, std::nullopt};
    std::set<std::int64_t> printing;
    for (const UnfinishedJob& job : *unfinished) {
      if (!EqualIgnoringAsciiCase(job.queue, name)) continue;
      printing.insert(job.id);
      // Settings jobs are titled as every raw job of this program, and are a few bytes.
      if (!queue.waiting_job && job.title == kRawJobTitle &&
          job.kilobytes * 1024 <= static_cast<std::int64_t>(kLargestSettingsJob)) {
        queue.waiting_job = job.id;
      }
    }
    if (queue.printer_uri && journal != nullptr) {
      queue.settings = DeliveredState(*journal, name, *queue.printer_uri, printing);
    }
    reported.push_back(std::move(queue));
  }
  return reported;
}

std::string UnknownText(const SettingState& state, Language language) {
  return FillIn(CliTextsIn(language).unknown_because[static_cast<int>(state.unknown)],
                {{"detail", state.detail}});
}

std::string_view UnknownKeyword(UnknownBecause because) {
  switch (because) {
    case UnknownBecause::NeverDelivered:
      return "never-delivered";
    case UnknownBecause::Reset:
      return "reset";
    case UnknownBecause::DeviceChanged:
      return "device-changed";
    case UnknownBecause::Interrupted:
      return "interrupted";
    case UnknownBecause::Printing:
      return "printing";
    case UnknownBecause::Failed:
      break;
  }
  return "failed";
}

}  // namespace varnok::cli
