#include "fleet/journal.h"

namespace varnok {

struct Journal::Database {};

// Windows keeps no journal: the jobs of its queues are journaled where they pass, on a CUPS
// print server.
Journal::Journal(const std::string& /*path*/, Access /*access*/) {
  throw JournalError(JournalProblem::Unavailable, "the journal is kept by a CUPS print server");
}

Journal::~Journal() = default;

std::int64_t Journal::Begin(const JournaledJob& /*job*/) { return 0; }

void Journal::End(std::int64_t /*row*/, JobOutcome /*outcome*/, JournalTime /*ended*/,
                  std::int64_t /*size*/, std::string_view /*message*/, int /*status*/) {}

std::vector<JournaledJob> Journal::Jobs(const std::vector<std::string>& /*queues*/,
                                        std::optional<JournalTime> /*since*/) {
  return {};
}

void Journal::EachSettingsJobNewestFirst(std::string_view /*queue*/,
                                         const std::function<bool(const JournaledJob&)>& /*take*/) {
}

}  // namespace varnok
