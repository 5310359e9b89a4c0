#pragma once

#include <cups/cups.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "printer/print_server_password.h"
#include "printer/queue_name.h"
#include "printer/spooler.h"
#include "printer/step_limits.h"

namespace varnok {

struct HttpCloser {
  void operator()(http_t* http) const { httpClose(http); }
};
using HttpConnection = std::unique_ptr<http_t, HttpCloser>;

struct IppDeleter {
  void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppMessage = std::unique_ptr<ipp_t, IppDeleter>;

// A connection to the scheduler whose steps are bounded in time, so that a scheduler that takes
// a request but never answers, or answers a byte at a time, cannot hang the program. A step (one
// operation of the spooler, one write or completion of a job) may take at most its whole time,
// however many requests libcups makes for it: when it runs out, the connection's socket is shut
// down and the step's request fails. Its answer may fall silent for at most the step's silence.
// A print server that wants a password gets the one of `password` (none when it is null);
// nothing is ever asked on a terminal.
class SchedulerConnection {
 public:
  SchedulerConnection();
  SchedulerConnection(HttpConnection http, PrintServerPassword* password, const StepLimits& limits);
  ~SchedulerConnection();
  SchedulerConnection(SchedulerConnection&&) noexcept;
  SchedulerConnection& operator=(SchedulerConnection&&) noexcept;

  http_t* get() const;
  explicit operator bool() const { return link_ != nullptr; }
  void reset() { *this = SchedulerConnection(); }

  // Starts the next step, with these limits.
  void StartStep(const StepLimits& limits = kStepLimits);
  // Ends the step: the time until the next one counts for none.
  void EndStep();
  // Whether the current step ran out of time, or its answer fell silent for too long.
  bool TimedOut() const;
  // The password the print server wanted and did not get on this connection, if it wanted one.
  std::optional<PasswordWanted> PasswordTrouble() const;

 private:
  struct Link;  // the connection and what the watchdog and the password callback need of it
  static int SilenceReached(http_t* http, void* link);
  static const char* AnswerPassword(const char* prompt, http_t* http, const char* method,
                                    const char* resource, void* data);

  std::unique_ptr<Link> link_;
};

// A fresh connection to the scheduler libcups is pointed at (CUPS_SERVER, client.conf), its
// first step started with these limits. Each operation opens its own, so a restarted scheduler
// never meets a stale connection.
SchedulerConnection ConnectToScheduler(SpoolerFailure& failure, PrintServerPassword* password,
                                       const StepLimits& limits = kStepLimits);

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
// Whether the status says the user may not do what was asked.
bool IsAccessRefusal(ipp_status_t status);
// Whether an answer arrived and says the request succeeded.
bool Succeeded(ipp_t* response);

// What a request asks for: a list may be empty, which CUPS answers as "not found" (a print
// system without queues answers CUPS-Get-Printers "No destinations added.").
enum class Asking { Change, List };

// Sends the request on the connection: its answer, or nullptr with the failure when there is none
// or it is an error. An empty list is an answer.
IppMessage AskScheduler(const SchedulerConnection& http, IppMessage request, const char* resource,
                        SpoolerFailure& failure, Asking asking);

// Why the last request on the connection got no successful answer: no answer in time, a
// password it did not get, the answer's own status, or, with no answer, what libcups recorded;
// `fallback` explains a failure that left no error status behind (a broken connection).
SpoolerFailure RequestFailure(const SchedulerConnection& http, ipp_t* response,
                              std::string_view fallback);

}  // namespace varnok
