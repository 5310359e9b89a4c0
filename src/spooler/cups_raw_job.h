#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "spooler/cups_connection.h"
#include "spooler/spooler.h"

namespace varnok {

// A created CUPS job on the connection it was created on, which it keeps until it ends. The
// first Write starts its single raw document (CUPS_FORMAT_RAW, so no filter touches the bytes)
// and further writes stream into it.
class CupsRawJob final : public RawJob {
 public:
  // A job the scheduler created on this connection, which the job keeps until it ends; each of
  // its steps within `limits`.
  CupsRawJob(std::shared_ptr<SchedulerConnection> http, const StepLimits& limits, std::string queue,
             std::string document_name, int job_id);
  ~CupsRawJob() override;

  SpoolerResult<void> Write(std::string_view bytes) override;
  SpoolerResult<void> Finish() override;
  void Cancel() override;

 private:
  enum class State {
    Created,   // no document yet
    Writing,   // the document request is open
    Broken,    // the document request failed half-way; only Cancel is left
    Finished,  // the scheduler holds the complete job
    Cancelled,
  };

  // Runs the call on the job's connection.
  SpoolerResult<void> Step(const std::function<SpoolerResult<void>()>& step);
  SpoolerResult<void> WriteStep(std::string_view bytes);
  SpoolerResult<void> FinishStep();
  // Why the call failed, from the answer when one arrived.
  SpoolerFailure Fail(State next, ipp_t* response, std::string_view fallback);

  std::shared_ptr<SchedulerConnection> http_;
  StepLimits limits_;
  std::string queue_;
  std::string document_name_;
  int job_id_;
  State state_ = State::Created;
  bool unanswered_ = false;  // the last call that failed got no answer in time
};

}  // namespace varnok
