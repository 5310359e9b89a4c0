#include "printer/connection_watchdog.h"

#include <sys/socket.h>

#include <algorithm>
#include <thread>

namespace varnok {

ConnectionWatchdog& ConnectionWatchdog::Instance() {
  // Never destroyed: connections may still close while the program's statics are torn down.
  static ConnectionWatchdog& watchdog = *new ConnectionWatchdog();
  return watchdog;
}

ConnectionWatchdog::ConnectionWatchdog() {
  std::thread([this] { Run(); }).detach();
}

void ConnectionWatchdog::Watch(WatchedConnection& connection, Clock::time_point deadline) {
  {
    std::lock_guard lock(mutex_);
    const auto found = std::ranges::find(entries_, &connection, &Entry::connection);
    if (found != entries_.end()) {
      found->deadline = deadline;
    } else {
      entries_.push_back({&connection, deadline});
    }
  }
  changed_.notify_one();
}

void ConnectionWatchdog::Forget(WatchedConnection& connection) {
  std::lock_guard lock(mutex_);
  std::erase_if(entries_, [&connection](const Entry& e) { return e.connection == &connection; });
}

WatchedConnection* ConnectionWatchdog::Find(const http_t* http) {
  std::lock_guard lock(mutex_);
  const auto found =
      std::ranges::find_if(entries_, [http](const Entry& e) { return e.connection->http == http; });
  return found != entries_.end() ? found->connection : nullptr;
}

void ConnectionWatchdog::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    const Clock::time_point now = Clock::now();
    Clock::time_point next = Clock::time_point::max();
    for (Entry& entry : entries_) {
      if (entry.deadline > now) {
        next = std::min(next, entry.deadline);
      } else if (!entry.connection->ran_out) {
        // The socket is looked up now rather than when the step began: libcups may have
        // connected afresh within the step.
        entry.connection->ran_out = true;
        shutdown(httpGetFd(entry.connection->http), SHUT_RDWR);
      }
    }
    if (next == Clock::time_point::max()) {
      changed_.wait(lock);
    } else {
      changed_.wait_until(lock, next);
    }
  }
}

}  // namespace varnok
