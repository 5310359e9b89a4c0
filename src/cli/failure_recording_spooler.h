#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "printer/spooler.h"

namespace varnok::cli {

// Passes every call on to another spooler and keeps the last failure it answered with, so
// that the command line can say in its own words what the cores tell the windows in theirs.
// One is made for each queue's work, on the thread that does it.
class FailureRecordingSpooler final : public Spooler {
 public:
  explicit FailureRecordingSpooler(Spooler& spooler) : spooler_(spooler) {}

  std::vector<std::string> QueueNames() override { return spooler_.QueueNames(); }
  std::optional<SpoolerFailure> OpenQueue(std::string_view queue) override;
  QueueDescription DescribeQueue(std::string_view queue) override;
  std::unique_ptr<RawJob> CreateRawJob(std::string_view queue, std::string_view title,
                                       SpoolerFailure& failure) override;

  // The last failure since this spooler was made; nullopt when there was none.
  const std::optional<SpoolerFailure>& LastFailure() const { return last_failure_; }

 private:
  class RecordingJob;

  Spooler& spooler_;
  std::optional<SpoolerFailure> last_failure_;
};

}  // namespace varnok::cli
