#pragma once

#include <functional>

#include "printer/user_messages.h"

namespace varnok {

// Runs the work of one press of a button (spooler calls, the settings file, the core's
// messages) on a thread of its own and returns once it has ended, so that the windows keep
// drawing themselves and answering screen readers while the print system is waited for. The
// press stays modal: until it ends a busy cursor shows and nothing of the program takes input
// but the dialogs the work brings up, each on the interface thread in its turn (the work's
// messages through the `messages` it is given, which returns once the box is closed).
// Returns false, doing nothing, while another press runs.
bool RunPressInBackground(UserMessages& messages,
                          const std::function<void(UserMessages& messages)>& work);

}  // namespace varnok
