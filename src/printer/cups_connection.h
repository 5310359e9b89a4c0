#pragma once

#include <cups/cups.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "printer/queue_name.h"
#include "printer/spooler.h"

namespace varnok {

struct HttpCloser {
  void operator()(http_t* http) const { httpClose(http); }
};
using HttpConnection = std::unique_ptr<http_t, HttpCloser>;

struct IppDeleter {
  void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppMessage = std::unique_ptr<ipp_t, IppDeleter>;

// A connection to the scheduler whose waits are bounded, so that a scheduler that takes a
// request but never answers cannot hang the program. A step (one operation of the spooler, one
// write or completion of a job) may wait for the scheduler at most the answer time in all, however
// many requests libcups makes for it; a wait that runs out fails the step's request.
class SchedulerConnection {
 public:
  SchedulerConnection() = default;
  explicit SchedulerConnection(HttpConnection http);

  http_t* get() const { return http_.get(); }
  explicit operator bool() const { return http_ != nullptr; }
  void reset() { *this = SchedulerConnection(); }

  // Gives the next step its whole answer time, and `extra` more for a step the scheduler is
  // known to take its time over (a device discovery).
  void StartStep(std::chrono::seconds extra = std::chrono::seconds(0));
  // Whether a wait of the current step ran out.
  bool TimedOut() const { return allowance_ && allowance_->ran_out; }

 private:
  struct Allowance {
    std::chrono::steady_clock::time_point deadline;
    bool ran_out = false;
  };
  static int KeepWaiting(http_t* http, void* allowance);

  HttpConnection http_;
  std::unique_ptr<Allowance> allowance_;  // on the heap: libcups keeps its address
};

// A fresh connection to the scheduler libcups is pointed at (CUPS_SERVER, client.conf), its
// first step started. Each operation opens its own, so a restarted scheduler never meets a
// stale connection.
SchedulerConnection ConnectToScheduler(SpoolerFailure& failure);

// The scheduler libcups is pointed at, as people name it: a local socket's path, or HOST:PORT.
std::string SchedulerName();

// What CUPS says of a queue name it could never hold; such names are kept out of request URIs.
SpoolerFailure NoSuchQueue();

// A request about the queue from this user: its printer-uri and requesting-user-name are set.
IppMessage NewQueueRequest(ipp_op_t operation, std::string_view queue);
// Asks for only these attributes in the answer.
void AddRequestedAttributes(ipp_t* request, const std::vector<const char*>& attributes);
// A CUPS-Get-Printers request for these attributes of the queues cupsGetDests2 lists from the
// connected scheduler: every printer and class of one on this machine; of another, those it has
// not merely discovered on the network.
IppMessage NewQueueListRequest(const SchedulerConnection& http,
                               const std::vector<const char*>& attributes);
bool IsSuccess(ipp_status_t status);

// Why the last request on the connection failed: no answer in time, or what libcups recorded
// for it; `fallback` explains a failure that left no error status behind (a broken connection).
SpoolerFailure RequestFailure(const SchedulerConnection& http, std::string_view fallback);

}  // namespace varnok
