#include "spooler/cups_raw_job.h"

#include <utility>

namespace varnok {

CupsRawJob::CupsRawJob(std::shared_ptr<SchedulerConnection> http, const StepLimits& limits,
                       std::string queue, std::string document_name, int job_id)
    : http_(std::move(http)),
      limits_(limits),
      queue_(std::move(queue)),
      document_name_(std::move(document_name)),
      job_id_(job_id) {}

CupsRawJob::~CupsRawJob() {
  if (state_ != State::Finished) Cancel();
}

// Each call on the job is one step of its connection; the time between calls counts for none.
SpoolerResult<void> CupsRawJob::Step(const std::function<SpoolerResult<void>()>& step) {
  bool ran = false;
  SpoolerResult<void> result = http_->Run(limits_, [&] {
    ran = true;
    return step();
  });
  if (!ran) state_ = State::Broken;  // no connection for the document
  if (!result) unanswered_ = result.failure().no_answer;
  return result;
}

SpoolerResult<void> CupsRawJob::Write(std::string_view bytes) {
  return Step([this, bytes] { return WriteStep(bytes); });
}

SpoolerResult<void> CupsRawJob::WriteStep(std::string_view bytes) {
  if (state_ == State::Created) {
    // CUPS refuses an empty document, so none is started until there are bytes to send.
    if (bytes.empty()) return {};
    if (cupsStartDocument(http_->get(), queue_.c_str(), job_id_, document_name_.c_str(),
                          CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE) {
      return Fail(State::Broken, nullptr, "the print system did not take the document");
    }
    state_ = State::Writing;
  }
  if (state_ != State::Writing)
    return Fail(state_, nullptr, "the job is no longer open for writing");
  if (cupsWriteRequestData(http_->get(), bytes.data(), bytes.size()) != HTTP_STATUS_CONTINUE) {
    return Fail(State::Broken, nullptr, "the connection to the print system was lost");
  }
  return {};
}

// The job counts as complete only when the scheduler's answer to its last request arrived and
// says so: libcups reports a stale success when that answer never comes.
SpoolerResult<void> CupsRawJob::Finish() {
  return Step([this] { return FinishStep(); });
}

SpoolerResult<void> CupsRawJob::FinishStep() {
  switch (state_) {
    case State::Created: {
      IppMessage request = NewQueueRequest(IPP_OP_CLOSE_JOB, queue_);
      ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job_id_);
      IppMessage response(cupsDoRequest(http_->get(), request.release(), "/jobs/"));
      if (!Succeeded(response.get())) {
        return Fail(State::Created, response.get(), "the connection to the print system was lost");
      }
      break;
    }
    case State::Writing: {
      const std::string resource = "/printers/" + queue_;
      IppMessage response(cupsGetResponse(http_->get(), resource.c_str()));
      if (!Succeeded(response.get())) {
        return Fail(State::Broken, response.get(), "the connection to the print system was lost");
      }
      break;
    }
    case State::Broken:
    case State::Finished:
    case State::Cancelled:
      return Fail(state_, nullptr, "the job is no longer open");
  }
  state_ = State::Finished;
  return {};
}

void CupsRawJob::Cancel() {
  if (state_ == State::Cancelled) return;
  if (unanswered_) {
    // Asking a scheduler that has just let a wait run out would keep the user waiting once
    // more. Dropping the connection still abandons a half-sent document; one the scheduler
    // already holds whole may yet print, which the user's message allows for.
    http_->Close();
    state_ = State::Cancelled;
    return;
  }
  // Dropping the connection abandons the half-sent document, so none of it is printed; the
  // cancel then goes on a new one.
  if (state_ == State::Writing || state_ == State::Broken) http_->Close();
  // Cancel has no one to tell when it fails.
  static_cast<void>(http_->Run(limits_, [this] {
    cupsCancelJob2(http_->get(), queue_.c_str(), job_id_, 0);
    return SpoolerResult<void>();
  }));
  state_ = State::Cancelled;
}

SpoolerFailure CupsRawJob::Fail(State next, ipp_t* response, std::string_view fallback) {
  state_ = next;
  return RequestFailure(*http_, response, fallback);
}

}  // namespace varnok
