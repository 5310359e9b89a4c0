#pragma once

#include "spooler/message_boxes.h"

namespace varnok {

// How one queue fared in a delivery of settings or a file: one vocabulary for every command.
// Unchanged and Waiting are a convergence's: nothing to send, and an earlier job not yet
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

// Work on many queues shows no message boxes: each queue's result carries what the cores
// returned.
class NoMessageBoxes final : public UserMessages {
 public:
  void Show(const Message& /*message*/) override {}
};

}  // namespace varnok
