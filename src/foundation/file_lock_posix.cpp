#include "foundation/file_lock_posix.h"

#include <sys/file.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace varnok::ini {

// flock, not fcntl locks: two opens of the file in one program (two threads) exclude each other
// too. Tried without waiting, in growing steps, so that the wait has an end.
bool LockFile(int fd, LockKind kind, std::chrono::steady_clock::time_point deadline) {
  const int operation = (kind == LockKind::Reading ? LOCK_SH : LOCK_EX) | LOCK_NB;
  std::chrono::milliseconds pause{1};
  while (::flock(fd, operation) != 0) {
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) return true;  // no locks on this file system
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace varnok::ini
