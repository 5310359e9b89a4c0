#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "spooler/spooler_result.h"

namespace varnok {

// What the spooler tells of a queue.
struct QueueDescription {
  std::optional<std::string> make_and_model;  // absent when the queue has none
  std::optional<bool> accepting_jobs;         // absent when the spooler does not tell
};

// One raw job being written. The document is started by the first Write; Finish without any
// Write completes the job with no document (zero bytes). Destroying an unfinished job cancels
// it.
class RawJob {
 public:
  virtual ~RawJob() = default;
  virtual SpoolerResult<void> Write(std::string_view bytes) = 0;
  virtual SpoolerResult<void> Finish() = 0;
  virtual void Cancel() = 0;
};

// The print spooler as the rest of the program sees it.
class Spooler {
 public:
  virtual ~Spooler() = default;
  // Installed queue names, each once, in the spooler's order; a failure when the spooler cannot
  // be reached or does not answer.
  virtual SpoolerResult<std::vector<std::string>> ListQueues() = 0;
  // Whether the queue can be opened now; the failure says why not.
  virtual SpoolerResult<void> OpenQueue(std::string_view queue) = 0;
  // A failure's `describe` says where the request failed.
  virtual SpoolerResult<QueueDescription> DescribeQueue(std::string_view queue) = 0;
  // Creates a raw job with the given title, unless the spooler refuses.
  virtual SpoolerResult<std::unique_ptr<RawJob>> CreateRawJob(std::string_view queue,
                                                              std::string_view title) = 0;
};

}  // namespace varnok
