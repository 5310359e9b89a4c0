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

SendOutcome Refuse(UserMessages& messages, std::string_view queue, const SpoolerFailure& failure,
                   Language window) {
  if (failure.no_answer) {
    messages.Show(NoAnswerMessage(queue, window));
    return SendOutcome::NoAnswer;
  }
  messages.Show(JobRefusedMessage(queue, failure, window));
  return SendOutcome::Refused;
}

}  // namespace

SendOutcome SendRawText(Spooler& spooler, UserMessages& messages, std::string_view queue,
                        std::string_view text, Language window) {
  if (const std::optional<SpoolerFailure> failure = spooler.OpenQueue(queue)) {
    // A scheduler that gave no answer says nothing about whether the queue is installed.
    if (failure->no_answer) return Refuse(messages, queue, *failure, window);
    messages.Show({std::string(kNoSuchPrinter), std::string(kApplicationTitle), MessageIcon::None,
                   MessageButtons::Ok});
    return SendOutcome::QueueMissing;
  }
  SpoolerFailure failure;
  std::unique_ptr<RawJob> job = spooler.CreateRawJob(queue, kDocumentName, failure);
  if (!job) return Refuse(messages, queue, failure, window);
  // The whole text in one write; an empty text leaves a job without a document (zero bytes).
  // A job that fails is cancelled when it goes out of scope.
  if (!text.empty() && !job->Write(text)) return Refuse(messages, queue, job->Failure(), window);
  if (!job->Finish()) return Refuse(messages, queue, job->Failure(), window);
  return SendOutcome::Sent;
}

QueueCheck CheckQueueAfterSending(Spooler& spooler, UserMessages& messages, std::string_view queue,
                                  Language window) {
  const std::optional<SpoolerFailure> failure = spooler.OpenQueue(queue);
  if (!failure) return QueueCheck::Opened;
  if (!failure->no_answer) return QueueCheck::NotOpened;
  messages.Show(NoAnswerMessage(queue, window));
  return QueueCheck::NoAnswer;
}

}  // namespace varnok
