#pragma once

#include <string>
#include <utility>

#include "printer/user_messages.h"

namespace varnok::cli {

// What the cores would show in message boxes becomes a queue's reason on its line.
class ReasonRecorder : public UserMessages {
 public:
  void Show(const Message& message) override {
    reason_ += (reason_.empty() ? "" : " ") + message.text;
  }
  // The messages since the last call, joined.
  std::string Take() { return std::exchange(reason_, {}); }

 private:
  std::string reason_;
};

}  // namespace varnok::cli
