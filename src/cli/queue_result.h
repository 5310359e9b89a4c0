#pragma once

#include <string>
#include <string_view>

#include "printer/user_messages.h"
#include "settings/language.h"

namespace varnok::cli {

// How one queue fared in set, send or apply: one vocabulary for every command.
// Unchanged and Waiting are apply --converge's: nothing to send, and an earlier job not yet
// printed.
enum class QueueResult {
  Sent,
  NotSent,
  WouldBeSent,
  WouldNotBeSent,
  Cancelled,
  NotTried,
  Unchanged,
  Waiting
};

// The result for scripts, the same in every language: the JSON keyword ("not-sent").
std::string_view ResultKeyword(QueueResult result);

// The result for people, in the run's language, followed by the reason when there is one
// ("not sent: …"), or by a note for a queue that was sent to ("sent; …").
std::string ResultText(QueueResult result, std::string_view reason, Language language);

// The command line shows no message boxes: each queue's line says what the cores returned, in
// the run's language.
class NoMessageBoxes final : public UserMessages {
 public:
  void Show(const Message& /*message*/) override {}
};

}  // namespace varnok::cli
