#include "spooler/printer_access.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "spooler/driver_name_text.h"
#include "spooler/printer_messages.h"

namespace varnok {
namespace {

constexpr std::string_view kNoSuchPrinter =
    "There is no such a printer installed in system!Please install Varnok printer driver before "
    "running this program.";

// A box titled with the application's name, with no icon and one OK button.
Message ApplicationBox(std::string text) {
  return {std::move(text), std::string(kApplicationTitle), MessageIcon::None, MessageButtons::Ok};
}

// Tells the user why the job was not sent; the failure is the caller's answer.
SpoolerFailure Refuse(UserMessages& messages, std::string_view queue, const SpoolerFailure& failure,
                      Language window) {
  messages.Show(FailureMessage(queue, failure, window));
  return failure;
}

}  // namespace

SpoolerResult<void> SendRawText(Spooler& spooler, UserMessages& messages, std::string_view queue,
                                std::string_view text, Language window) {
  if (const SpoolerResult<void> opened = spooler.OpenQueue(queue); !opened) {
    const SpoolerFailure& failure = opened.failure();
    // A scheduler that gave no answer, or wanted a password, says nothing about whether the
    // queue is installed.
    if (failure.no_answer || failure.password) return Refuse(messages, queue, failure, window);
    messages.Show(ApplicationBox(std::string(kNoSuchPrinter)));
    return failure;
  }
  const SpoolerResult<std::unique_ptr<RawJob>> job = spooler.CreateRawJob(queue, kRawJobTitle);
  if (!job) return Refuse(messages, queue, job.failure(), window);
  // The whole text in one write; an empty text leaves a job without a document (zero bytes).
  // A job that fails is cancelled when it goes out of scope.
  SpoolerResult<void> sent = text.empty() ? SpoolerResult<void>() : (*job)->Write(text);
  if (sent) sent = (*job)->Finish();
  if (!sent) return Refuse(messages, queue, sent.failure(), window);
  return {};
}

QueueCheck CheckQueueAfterSending(Spooler& spooler, std::string_view queue) {
  const SpoolerResult<void> opened = spooler.OpenQueue(queue);
  if (opened) return QueueCheck::Opened;
  const SpoolerFailure& failure = opened.failure();
  return failure.no_answer || failure.password ? QueueCheck::Unanswered : QueueCheck::NotOpened;
}

SpoolerResult<QueueDriver> GetQueueDriverName(Spooler& spooler, UserMessages& messages,
                                              std::string_view queue, Language window) {
  const SpoolerResult<QueueDescription> description = spooler.DescribeQueue(queue);
  if (description) {
    return QueueDriver{
        PointerToString(description->make_and_model ? description->make_and_model->c_str()
                                                    : nullptr),
        description->accepting_jobs};
  }
  const SpoolerFailure& failure = description.failure();
  // Whether the queue exists is not known then: the spooler's own messages would mislead.
  if (failure.password) {
    messages.Show(PasswordWantedMessage(queue, *failure.password, window));
    return failure;
  }
  switch (failure.describe) {
    case DescribeFailure::CannotOpen:
      messages.Show(ApplicationBox("Cannot open printer " + std::string(queue) +
                                   ", Error: " + std::to_string(failure.status)));
      break;
    case DescribeFailure::SizeQueryFailed:
      messages.Show(ApplicationBox(" > GetPrinter Failed on initial call! <"));
      // The lookup's own text names neither the printer nor the cause of a silent print system.
      if (failure.no_answer) messages.Show(LookupNoAnswerMessage(queue, window));
      break;
    case DescribeFailure::DescriptionUnreadable:
      messages.Show(DescriptionFailureMessage(window));
      break;
  }
  return failure;
}

bool IsBrandQueueName(std::string_view name) {
  return name.starts_with("VARNOK") || name.starts_with("Varnok");
}

QueueList ListBrandQueues(Spooler& spooler) {
  QueueList list = spooler.ListQueues();
  if (list) std::erase_if(*list, [](const std::string& name) { return !IsBrandQueueName(name); });
  return list;
}

}  // namespace varnok
