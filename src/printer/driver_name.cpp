#include <string>
#include <utility>

#include "printer/pointer_to_string.h"
#include "printer/printer_access.h"
#include "printer/printer_messages.h"

namespace varnok {
namespace {

Message ApplicationBox(std::string text) {
  return {std::move(text), std::string(kApplicationTitle), MessageIcon::None, MessageButtons::Ok};
}

}  // namespace

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

}  // namespace varnok
