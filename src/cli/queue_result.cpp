#include "cli/queue_result.h"

#include "cli/cli_texts.h"

namespace varnok::cli {

std::string_view ResultKeyword(QueueResult result) {
  switch (result) {
    case QueueResult::Sent:
      return "sent";
    case QueueResult::WouldBeSent:
      return "would-send";
    case QueueResult::WouldNotBeSent:
      return "would-not-send";
    case QueueResult::Cancelled:
      return "cancelled";
    case QueueResult::NotTried:
      return "not-tried";
    case QueueResult::Unchanged:
      return "unchanged";
    case QueueResult::Waiting:
      return "waiting";
    case QueueResult::NotSent:
      break;
  }
  return "not-sent";
}

std::string ResultText(QueueResult result, std::string_view reason, Language language) {
  const CliTexts& texts = CliTextsIn(language);
  std::string text(texts.results[static_cast<int>(result)]);
  // A sent queue's reason is a note about it; any other result's says why.
  if (!reason.empty()) {
    text += result == QueueResult::Sent ? texts.note_follows : texts.reason_follows;
    text += reason;
  }
  return text;
}

}  // namespace varnok::cli
