#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fleet/journal.h"

namespace varnok {

// One job's row in the journal. Printing never waits on it: when the journal cannot be opened
// or written, the scheduler's log says why (once) and the job goes on unrecorded.
class JobRecord {
 public:
  JobRecord(std::string path, const JournaledJob& job);
  ~JobRecord();
  JobRecord(const JobRecord&) = delete;
  JobRecord& operator=(const JobRecord&) = delete;

  void End(JobOutcome outcome, std::int64_t size, std::string_view message, int status);

 private:
  void Warn(std::string_view what, const std::exception& error);

  std::string path_;
  std::unique_ptr<Journal> journal_;
  std::int64_t row_ = 0;
};

}  // namespace varnok
