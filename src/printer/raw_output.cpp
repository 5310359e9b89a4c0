#include <memory>
#include <string>

#include "printer/printer_access.h"
#include "printer/printer_messages.h"

namespace varnok {
namespace {

constexpr std::string_view kDocumentName = "Label";
constexpr std::string_view kNoSuchPrinter =
    "There is no such a printer installed in system!Please install Varnok printer driver before "
    "running this program.";

// Tells the user why the job was not sent, and the caller what the spooler answered.
SendOutcome Refuse(UserMessages& messages, std::string_view queue, const SpoolerFailure& failure,
                   Language window, SpoolerFailure* answer) {
  if (answer != nullptr) *answer = failure;
  messages.Show(FailureMessage(queue, failure, window));
  return failure.no_answer ? SendOutcome::NoAnswer : SendOutcome::Refused;
}

}  // namespace

SendOutcome SendRawText(Spooler& spooler, UserMessages& messages, std::string_view queue,
                        std::string_view text, Language window, SpoolerFailure* answer) {
  if (const std::optional<SpoolerFailure> failure = spooler.OpenQueue(queue)) {
    // A scheduler that gave no answer, or wanted a password, says nothing about whether the
    // queue is installed.
    if (failure->no_answer || failure->password) {
      return Refuse(messages, queue, *failure, window, answer);
    }
    if (answer != nullptr) *answer = *failure;
    messages.Show({std::string(kNoSuchPrinter), std::string(kApplicationTitle), MessageIcon::None,
                   MessageButtons::Ok});
    return SendOutcome::QueueMissing;
  }
  SpoolerFailure failure;
  std::unique_ptr<RawJob> job = spooler.CreateRawJob(queue, kDocumentName, failure);
  if (!job) return Refuse(messages, queue, failure, window, answer);
  // The whole text in one write; an empty text leaves a job without a document (zero bytes).
  // A job that fails is cancelled when it goes out of scope.
  if (!text.empty() && !job->Write(text)) {
    return Refuse(messages, queue, job->Failure(), window, answer);
  }
  if (!job->Finish()) return Refuse(messages, queue, job->Failure(), window, answer);
  return SendOutcome::Sent;
}

QueueCheck CheckQueueAfterSending(Spooler& spooler, std::string_view queue) {
  const std::optional<SpoolerFailure> failure = spooler.OpenQueue(queue);
  if (!failure) return QueueCheck::Opened;
  return failure->no_answer || failure->password ? QueueCheck::Unanswered : QueueCheck::NotOpened;
}

}  // namespace varnok
