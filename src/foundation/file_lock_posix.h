#pragma once

#include <chrono>

namespace varnok::ini {

enum class LockKind { Reading, Writing };

// Locks the open file (until it is closed) for reading, shared with other readers, or for
// writing, alone; waits for the locks of others until the deadline at most. True also where the
// file system has no locks.
bool LockFile(int fd, LockKind kind, std::chrono::steady_clock::time_point deadline);

}  // namespace varnok::ini
