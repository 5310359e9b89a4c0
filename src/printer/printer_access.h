#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "printer/spooler.h"
#include "printer/user_messages.h"
#include "settings/language.h"

namespace varnok {

enum class SendOutcome {
  Sent,          // the spooler acknowledged the whole job
  QueueMissing,  // the queue could not be opened; the user has been told
  Refused,       // the spooler refused the job, the write failed, the connection was lost or a
                 // password was wanted; the user has been told
  NoAnswer,      // the spooler did not answer in time; the user has been told
};

// The title of every raw job SendRawText writes.
inline constexpr std::string_view kRawJobTitle = "Label";

// Writes text to the queue as one raw job titled kRawJobTitle, in a single write. Messages beyond
// the missing queue's are in the calling window's language. When the job is not sent, what the
// spooler answered is written to answer when that is given.
SendOutcome SendRawText(Spooler& spooler, UserMessages& messages, std::string_view queue,
                        std::string_view text, Language window, SpoolerFailure* answer = nullptr);

// The queue's driver name (at most 64 bytes, " " when it has none), or nullopt after the
// user has been told why not, in the calling window's language where the message has one.
// The spooler's whole answer is written to description when that is given: whether the queue
// accepts jobs, where the spooler says so, and why there is no name.
std::optional<std::string> GetQueueDriverName(Spooler& spooler, UserMessages& messages,
                                              std::string_view queue, Language window,
                                              QueueDescription* description = nullptr);

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
struct QueueList {
  std::vector<std::string> names;
  std::optional<SpoolerFailure> failure;  // the spooler could not be reached or did not answer
};

// The installed queues whose names begin with exactly "VARNOK" or "Varnok", in spooler order.
QueueList ListBrandQueues(Spooler& spooler);

}  // namespace varnok
