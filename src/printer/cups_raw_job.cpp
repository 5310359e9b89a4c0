#include "printer/cups_raw_job.h"

#include <utility>

namespace varnok {

CupsRawJob::CupsRawJob(SchedulerConnection http, std::string queue, std::string document_name,
                       int job_id)
    : http_(std::move(http)),
      queue_(std::move(queue)),
      document_name_(std::move(document_name)),
      job_id_(job_id) {}

CupsRawJob::~CupsRawJob() {
  if (state_ != State::Finished) Cancel();
}

bool CupsRawJob::Write(std::string_view bytes) {
  http_.StartStep();
  if (state_ == State::Created) {
    // CUPS refuses an empty document, so none is started until there are bytes to send.
    if (bytes.empty()) return true;
    if (cupsStartDocument(http_.get(), queue_.c_str(), job_id_, document_name_.c_str(),
                          CUPS_FORMAT_RAW, 1) != HTTP_STATUS_CONTINUE) {
      return Fail(State::Broken, "the print system did not take the document");
    }
    state_ = State::Writing;
  }
  if (state_ != State::Writing) return Fail(state_, "the job is no longer open for writing");
  if (cupsWriteRequestData(http_.get(), bytes.data(), bytes.size()) != HTTP_STATUS_CONTINUE) {
    return Fail(State::Broken, "the connection to the print system was lost");
  }
  return true;
}

bool CupsRawJob::Finish() {
  http_.StartStep();
  switch (state_) {
    case State::Created:
      if (!CloseWithoutDocument()) return Fail(State::Created, "the job could not be closed");
      break;
    case State::Writing:
      if (!IsSuccess(cupsFinishDocument(http_.get(), queue_.c_str()))) {
        return Fail(State::Broken, "the document could not be completed");
      }
      break;
    case State::Broken:
    case State::Finished:
    case State::Cancelled:
      return Fail(state_, "the job is no longer open");
  }
  state_ = State::Finished;
  return true;
}

void CupsRawJob::Cancel() {
  if (state_ == State::Cancelled) return;
  if (failure_.no_answer) {
    // Asking a scheduler that has just let a wait run out would keep the user waiting once
    // more. Dropping the connection still abandons a half-sent document; one the scheduler
    // already holds whole may yet print, which the user's message allows for.
    http_.reset();
    state_ = State::Cancelled;
    return;
  }
  if (state_ == State::Writing || state_ == State::Broken) {
    // Dropping the connection abandons the half-sent document, so none of it is printed.
    http_.reset();
    SpoolerFailure unreachable;
    http_ = ConnectToScheduler(unreachable);
  }
  if (http_) {
    http_.StartStep();
    cupsCancelJob2(http_.get(), queue_.c_str(), job_id_, 0);
  }
  state_ = State::Cancelled;
}

bool CupsRawJob::CloseWithoutDocument() {
  IppMessage request = NewQueueRequest(IPP_OP_CLOSE_JOB, queue_);
  ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job_id_);
  IppMessage response(cupsDoRequest(http_.get(), request.release(), "/jobs/"));
  return response != nullptr && IsSuccess(cupsLastError());
}

bool CupsRawJob::Fail(State next, std::string_view fallback) {
  failure_ = RequestFailure(http_, fallback);
  state_ = next;
  return false;
}

}  // namespace varnok
