#pragma once

#include <vector>

#include "printer/user_messages.h"

namespace varnok::testing {

// Records every message the code under test shows, in order.
class MessageRecorder : public UserMessages {
 public:
  void Show(const Message& message) override { shown.push_back(message); }
  std::vector<Message> shown;
};

}  // namespace varnok::testing
