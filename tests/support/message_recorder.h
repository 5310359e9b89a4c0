#pragma once

#include <vector>

#include "spooler/message_boxes.h"

namespace varnok::testing {

// Records every message the code under test shows, in order.
class MessageRecorder : public UserMessages {
 public:
  void Show(const Message& message) override { shown.push_back(message); }
  std::vector<Message> shown;
};

}  // namespace varnok::testing
