#pragma once

#include <cups/cups.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace varnok {

// A connection whose steps the watchdog bounds.
struct WatchedConnection {
  http_t* http = nullptr;
  std::atomic<bool> ran_out{false};  // set by the watchdog when it ended the current step
};

// Ends the steps that run out of time. libcups gives up a wait only after a stretch without a
// single byte, so a server that trickles its answer could hold it for ever; one thread for the
// whole program shuts the socket of such a connection down instead, which ends any wait on it
// at once. Registration is safe against the connection closing: a connection is forgotten
// before libcups closes it.
class ConnectionWatchdog {
 public:
  using Clock = std::chrono::steady_clock;

  static ConnectionWatchdog& Instance();

  // Watches the connection until Forget: once `deadline` passes, its socket is shut down and
  // ran_out set. A later call moves the deadline; Clock::time_point::max() leaves the connection
  // alone (between steps, or while the user is asked something).
  void Watch(WatchedConnection& connection, Clock::time_point deadline);
  void Forget(WatchedConnection& connection);
  // The watched connection over this http, or nullptr.
  WatchedConnection* Find(const http_t* http);

 private:
  struct Entry {
    WatchedConnection* connection;
    Clock::time_point deadline;
  };

  ConnectionWatchdog();
  void Run();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Entry> entries_;
};

}  // namespace varnok
