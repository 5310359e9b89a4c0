#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "printer/spooler_result.h"

namespace varnok {

// How a queue description request ended.
enum class DescribeOutcome {
  Ok,                     // the queue was found and its attributes read
  CannotOpen,             // no such queue, or the spooler cannot be reached
  SizeQueryFailed,        // the spooler answered, but not with a description at all
  DescriptionUnreadable,  // the queue exists, but its attributes could not be read
};

struct QueueDescription {
  DescribeOutcome outcome = DescribeOutcome::CannotOpen;
  std::optional<std::string> make_and_model;  // absent when the queue has none
  std::optional<bool> accepting_jobs;         // absent when the spooler does not tell
  SpoolerFailure failure;                     // set when outcome is not Ok
};

// One raw job being written. The document is started by the first Write; Finish without any
// Write completes the job with no document (zero bytes). Destroying an unfinished job cancels
// it.
class RawJob {
 public:
  virtual ~RawJob() = default;
  virtual bool Write(std::string_view bytes) = 0;
  virtual bool Finish() = 0;
  virtual void Cancel() = 0;
  virtual const SpoolerFailure& Failure() const = 0;  // why the last call returned false
};

// The print spooler as the rest of the program sees it.
class Spooler {
 public:
  virtual ~Spooler() = default;
  // Installed queue names, each once, in the spooler's order; empty, with failure set, when the
  // spooler cannot be reached or does not answer.
  virtual std::vector<std::string> ListQueues(std::optional<SpoolerFailure>& failure) = 0;
  // The same, for a caller that need not know why the list is empty.
  std::vector<std::string> QueueNames() {
    std::optional<SpoolerFailure> failure;
    return ListQueues(failure);
  }
  // Whether the queue can be opened now; the failure says why not.
  virtual std::optional<SpoolerFailure> OpenQueue(std::string_view queue) = 0;
  virtual QueueDescription DescribeQueue(std::string_view queue) = 0;
  // Creates a raw job with the given title; nullptr with failure set when the spooler refuses.
  virtual std::unique_ptr<RawJob> CreateRawJob(std::string_view queue, std::string_view title,
                                               SpoolerFailure& failure) = 0;
};

}  // namespace varnok
