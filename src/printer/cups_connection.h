#pragma once

#include <cups/cups.h>

#include <memory>
#include <string>
#include <string_view>

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

// A fresh connection to the scheduler libcups is pointed at (CUPS_SERVER, client.conf), with a
// bounded wait for its answers so that a stuck scheduler cannot hang the program. Each
// operation opens its own, so a restarted scheduler never meets a stale connection.
HttpConnection ConnectToScheduler(SpoolerFailure& failure);

// What CUPS says of a queue name it could never hold; such names are kept out of request URIs.
SpoolerFailure NoSuchQueue();

// A request about the queue from this user: its printer-uri and requesting-user-name are set.
IppMessage NewQueueRequest(ipp_op_t operation, std::string_view queue);
bool IsSuccess(ipp_status_t status);

// What libcups recorded for the last request on this thread; `fallback` explains a failure
// that left no error status behind (a broken connection).
SpoolerFailure LastCupsFailure(std::string_view fallback);

}  // namespace varnok
