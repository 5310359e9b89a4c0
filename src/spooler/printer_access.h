#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/language.h"
#include "spooler/message_boxes.h"
#include "spooler/spooler.h"

namespace varnok {

// The title of every raw job SendRawText writes.
inline constexpr std::string_view kRawJobTitle = "Label";

// Writes text to the queue as one raw job titled kRawJobTitle, in a single write. When the job
// is not sent, the user has been told why, and the failure is what the spooler answered (a queue
// that could not be opened is told as missing unless the spooler did not answer or wanted a
// password). Messages beyond the missing queue's are in the calling window's language.
SpoolerResult<void> SendRawText(Spooler& spooler, UserMessages& messages, std::string_view queue,
                                std::string_view text, Language window);

// A queue's driver name as the windows read it, and what else its description told.
struct QueueDriver {
  std::string name;                    // at most 64 bytes, " " when it has none
  std::optional<bool> accepting_jobs;  // absent when the spooler does not tell
};

// The queue's driver, or the spooler's failure after the user has been told why there is none,
// in the calling window's language where the message has one.
SpoolerResult<QueueDriver> GetQueueDriverName(Spooler& spooler, UserMessages& messages,
                                              std::string_view queue, Language window);

enum class QueueCheck {
  Opened,
  NotOpened,   // the queue is gone
  Unanswered,  // the spooler did not answer in time, or wanted a password it did not get
};

// Opens the queue once more after sending, to learn whether it is still there. Shows nothing:
// whatever the check finds, the job has been sent.
QueueCheck CheckQueueAfterSending(Spooler& spooler, std::string_view queue);

// Whether a queue name begins with exactly "VARNOK" or "Varnok", as the windows list them.
bool IsBrandQueueName(std::string_view name);

// The queues a window lists, or why the spooler could not list them.
using QueueList = SpoolerResult<std::vector<std::string>>;

// The installed queues whose names begin with exactly "VARNOK" or "Varnok", in spooler order.
QueueList ListBrandQueues(Spooler& spooler);

}  // namespace varnok
