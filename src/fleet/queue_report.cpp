#include "fleet/queue_report.h"

#include <algorithm>
#include <set>

#include "fleet/journaled_device.h"
#include "fleet/queue_names.h"
#include "foundation/ascii_case.h"
#include "spooler/printer_access.h"

namespace varnok {

std::vector<ReportedQueue> ReportQueues(Journal* journal, PrintServer& server,
                                        const std::vector<std::string>& named) {
  const SpoolerResult<std::vector<QueueDetails>> queues = server.Queues();
  if (!queues) throw ReportError({ReportProblem::QueuesUnlisted, queues.failure(), {}});
  const SpoolerResult<std::vector<UnfinishedJob>> unfinished = server.UnfinishedJobs();
  if (!unfinished) throw ReportError({ReportProblem::UnfinishedJobs, unfinished.failure(), {}});
  std::vector<std::string> wanted;
  if (named.empty()) {
    for (const QueueDetails& queue : *queues) {
      if (IsBrandQueueName(queue.name)) wanted.push_back(queue.name);
    }
  } else {
    // The names are matched against the list just asked for: asking again costs the server a
    // second listing of every queue.
    std::vector<std::string> names;
    for (const QueueDetails& queue : *queues) names.push_back(queue.name);
    MatchedQueues matched = MatchQueues(named, names);
    if (!matched.unknown.empty()) {
      throw ReportError({ReportProblem::UnknownQueues, {}, std::move(matched.unknown)});
    }
    wanted = std::move(matched.queues);
  }
  std::vector<ReportedQueue> reported;
  for (const std::string& name : wanted) {
    const auto details = std::ranges::find(*queues, name, &QueueDetails::name);
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

}  // namespace varnok
