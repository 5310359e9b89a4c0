#include "cli/failure_recording_spooler.h"

namespace varnok::cli {

class FailureRecordingSpooler::RecordingJob final : public RawJob {
 public:
  RecordingJob(std::unique_ptr<RawJob> job, std::optional<SpoolerFailure>& last_failure)
      : job_(std::move(job)), last_failure_(last_failure) {}

  bool Write(std::string_view bytes) override { return Recorded(job_->Write(bytes)); }
  bool Finish() override { return Recorded(job_->Finish()); }
  void Cancel() override { job_->Cancel(); }
  const SpoolerFailure& Failure() const override { return job_->Failure(); }

 private:
  bool Recorded(bool succeeded) {
    if (!succeeded) last_failure_ = job_->Failure();
    return succeeded;
  }

  std::unique_ptr<RawJob> job_;
  std::optional<SpoolerFailure>& last_failure_;
};

std::optional<SpoolerFailure> FailureRecordingSpooler::OpenQueue(std::string_view queue) {
  std::optional<SpoolerFailure> failure = spooler_.OpenQueue(queue);
  if (failure) last_failure_ = failure;
  return failure;
}

QueueDescription FailureRecordingSpooler::DescribeQueue(std::string_view queue) {
  QueueDescription description = spooler_.DescribeQueue(queue);
  if (description.outcome != DescribeOutcome::Ok) last_failure_ = description.failure;
  return description;
}

std::unique_ptr<RawJob> FailureRecordingSpooler::CreateRawJob(std::string_view queue,
                                                              std::string_view title,
                                                              SpoolerFailure& failure) {
  std::unique_ptr<RawJob> job = spooler_.CreateRawJob(queue, title, failure);
  if (!job) {
    last_failure_ = failure;
    return nullptr;
  }
  return std::make_unique<RecordingJob>(std::move(job), last_failure_);
}

}  // namespace varnok::cli
