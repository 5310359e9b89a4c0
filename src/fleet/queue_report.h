#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fleet/delivered_state.h"
#include "fleet/journal.h"
#include "spooler/print_server.h"

namespace varnok {

// A queue as the journal's reports show it.
struct ReportedQueue {
  QueueDetails details;
  std::optional<std::string> printer_uri;   // behind the backend; absent: not journaled
  std::vector<SettingState> settings;       // what the journal knows; empty when not journaled
  std::optional<std::int64_t> waiting_job;  // a settings job the print system has not printed
};

// Why the queues could not be reported.
enum class ReportProblem {
  QueuesUnlisted,  // the print server could not list its queues (failure: its answer)
  UnfinishedJobs,  // nor its jobs not finished
  UnknownQueues,   // it has no queue of these names (unknown: as given)
};

struct ReportFault {
  ReportProblem problem = ReportProblem::QueuesUnlisted;
  SpoolerFailure failure;
  std::vector<std::string> unknown;
};

class ReportError : public std::runtime_error {
 public:
  explicit ReportError(ReportFault fault)
      : std::runtime_error(fault.failure.reason), fault_(std::move(fault)) {}
  const ReportFault& Fault() const { return fault_; }

 private:
  ReportFault fault_;
};

// The queues named, as the print server spells them (every brand queue when none is named),
// each with what the journal knows of it; with no journal (none begun yet), nothing. Throws
// ReportError.
std::vector<ReportedQueue> ReportQueues(Journal* journal, PrintServer& server,
                                        const std::vector<std::string>& named);

}  // namespace varnok
