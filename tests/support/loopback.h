#pragma once

namespace varnok::testing {

// A listening TCP socket on 127.0.0.1 at a port the system picked; throws on failure.
int OpenLoopbackListener(int& port);

// A loopback port that was free a moment ago, for programs that open their own listener.
int FreeLoopbackPort();

}  // namespace varnok::testing
