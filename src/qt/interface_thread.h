#pragma once

#include <functional>

#include "printer/user_messages.h"

namespace varnok {

// Runs the call on the interface thread and returns once it has ended: at once when already
// there, otherwise by handing it to that thread, which must be free to take it.
void RunOnInterfaceThread(const std::function<void()>& call);

// Shows another's messages on the interface thread, from whichever thread tells them: each box
// comes up there, one at a time in the order told, and Show returns once it is closed.
class InterfaceThreadMessages final : public UserMessages {
 public:
  explicit InterfaceThreadMessages(UserMessages& shown) : shown_(shown) {}
  void Show(const Message& message) override;

 private:
  UserMessages& shown_;
};

}  // namespace varnok
