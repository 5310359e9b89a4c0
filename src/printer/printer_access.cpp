#include "printer/printer_access.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "printer/pointer_to_string.h"
#include "printer/printer_messages.h"

namespace varnok {
namespace {

constexpr std::string_view kNoSuchPrinter =
    "There is no such a printer installed in system!Please install Varnok printer driver before "
    "running this program.";

// A box titled with the application's name, with no icon and one OK button.
Message ApplicationBox(std::string text) {
  return {std::move(text), std::string(kApplicationTitle), MessageIcon::None, MessageButtons::Ok};
}

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
    messages.Show(ApplicationBox(std::string(kNoSuchPrinter)));
    return SendOutcome::QueueMissing;
  }
  SpoolerFailure failure;
  std::unique_ptr<RawJob> job = spooler.CreateRawJob(queue, kRawJobTitle, failure);
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

std::optional<std::string> GetQueueDriverName(Spooler& spooler, UserMessages& messages,
                                              std::string_view queue, Language window,
                                              QueueDescription* answer) {
  const QueueDescription description = spooler.DescribeQueue(queue);
  if (answer != nullptr) *answer = description;
  // Whether the queue exists is not known then: the spooler's own messages would mislead.
  if (description.failure.password) {
    messages.Show(PasswordWantedMessage(queue, *description.failure.password, window));
    return std::nullopt;
  }
  switch (description.outcome) {
    case DescribeOutcome::Ok:
      return PointerToString(description.make_and_model ? description.make_and_model->c_str()
                                                        : nullptr);
    case DescribeOutcome::CannotOpen:
      messages.Show(ApplicationBox("Cannot open printer " + std::string(queue) +
                                   ", Error: " + std::to_string(description.failure.status)));
      break;
    case DescribeOutcome::SizeQueryFailed:
      messages.Show(ApplicationBox(" > GetPrinter Failed on initial call! <"));
      // The lookup's own text names neither the printer nor the cause of a silent print system.
      if (description.failure.no_answer) messages.Show(LookupNoAnswerMessage(queue, window));
      break;
    case DescribeOutcome::DescriptionUnreadable:
      messages.Show(DescriptionFailureMessage(window));
      break;
  }
  return std::nullopt;
}

bool IsBrandQueueName(std::string_view name) {
  return name.starts_with("VARNOK") || name.starts_with("Varnok");
}

QueueList ListBrandQueues(Spooler& spooler) {
  QueueList list;
  list.names = spooler.ListQueues(list.failure);
  std::erase_if(list.names, [](const std::string& name) { return !IsBrandQueueName(name); });
  return list;
}

}  // namespace varnok
