#pragma once

#include <functional>

namespace varnok {

// Work a window hands to a thread of its own, so that the interface never waits for the print
// system. The thread may outlive the window that started it, but not what it works on: the
// program waits for every such thread before its spooler goes.
void RunInBackground(std::function<void()> work);

// Waits until every piece of work handed over so far has ended. On the interface thread it goes on
// handling events meanwhile, as work may wait for that thread.
void WaitForBackgroundWork();

}  // namespace varnok
