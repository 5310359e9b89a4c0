#pragma once

#include <cups/cups.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "spooler/print_server_password.h"
#include "spooler/queue_name.h"
#include "spooler/spooler.h"
#include "spooler/step_limits.h"

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
// a request but never answers, or answers a byte at a time, cannot hang the program. Each step
// (one operation of the spooler, one write or completion of a job) runs on the connection's own
// thread and may take at most its whole time, however many requests libcups makes for it: when
// that runs out, the connection's socket is shut down, which ends any wait on it at once, and the
// step's request fails. Its answer may fall silent for at most the step's silence. The scheduler
// is the one libcups is pointed at on the thread that makes the connection (CUPS_SERVER,
// client.conf, cupsSetServer). A print server that wants a password gets the one of `password`
// (none when it is null); nothing is ever asked on a terminal. The connection and its thread
// serve step after step; one the scheduler has closed meanwhile (a restart, its idle timeout, a
// step that ran out of time) is made anew before the next.
class SchedulerConnection {
 public:
  explicit SchedulerConnection(PrintServerPassword* password);
  ~SchedulerConnection();
  SchedulerConnection(const SchedulerConnection&) = delete;
  SchedulerConnection& operator=(const SchedulerConnection&) = delete;

  // Whether it talks to the scheduler libcups is pointed at on the calling thread.
  bool ServesThisThreadsScheduler() const;

  // Runs `step` as one step with these limits, first connecting (within kConnectTime more) when
  // the connection is not open: the step's result, or why it could not connect (the step does
  // not run then). The step may use what the caller holds, as it has ended when this returns.
  template <typename Step>
  auto Run(const StepLimits& limits, Step step) -> decltype(step()) {
    std::optional<decltype(step())> result;
    const SpoolerResult<void> connected = RunStep(limits, [&] { result.emplace(step()); });
    if (!connected) return connected.failure();
    return std::move(*result);
  }
  // Closes the connection; the next step connects afresh.
  void Close();

  // Within a step: the open connection.
  http_t* get() const;
  // Within a step: whether it ran out of time, or its answer fell silent for too long.
  bool TimedOut() const;
  // The password the print server wanted and did not get in this step, if it wanted one.
  std::optional<PasswordWanted> PasswordTrouble() const;

 private:
  struct Link;  // the connection, its thread and what the step and password callback need
  SpoolerResult<void> RunStep(const StepLimits& limits, const std::function<void()>& step);
  static int SilenceReached(http_t* http, void* link);
  static const char* AnswerPassword(const char* prompt, http_t* http, const char* method,
                                    const char* resource, void* link);

  std::unique_ptr<Link> link_;
};

// The scheduler libcups is pointed at, as people name it: a local socket's path, or HOST:PORT.
std::string SchedulerName();

// What CUPS says of a queue name it could never hold; such names are kept out of request URIs.
SpoolerFailure NoSuchQueue();

// A request about the queue from this user: its printer-uri and requesting-user-name are set.
IppMessage NewQueueRequest(ipp_op_t operation, std::string_view queue);
// Asks for only these attributes in the answer.
void AddRequestedAttributes(ipp_t* request, const std::vector<const char*>& attributes);
bool IsSuccess(ipp_status_t status);
// Whether the status says the user may not do what was asked.
bool IsAccessRefusal(ipp_status_t status);
// Whether an answer arrived and says the request succeeded.
bool Succeeded(ipp_t* response);

// What a request asks for: a list may be empty, which CUPS answers as "not found" (a print
// system without queues answers CUPS-Get-Printers "No destinations added.").
enum class Asking { Change, List };

// Why the last request on the connection got no successful answer: no answer in time, a
// password it did not get, the answer's own status, or, with no answer, what libcups recorded;
// `fallback` explains a failure that left no error status behind (a broken connection).
SpoolerFailure RequestFailure(const SchedulerConnection& http, ipp_t* response,
                              std::string_view fallback);

// The connections of one spooler or print server to the scheduler, each with its thread, kept
// from one request to the next rather than made and joined for each. A request borrows an idle
// one, or a new one when all are busy (the command line asks several queues at once), and gives
// it back when it is done: the windows, which ask one thing after another, use one connection
// and one thread for as long as the program runs. Any thread may borrow.
class SchedulerConnections {
 public:
  explicit SchedulerConnections(PrintServerPassword* password);

  // A connection to the scheduler libcups is pointed at on this thread, given back when the last
  // copy goes (a job keeps its connection until it ends, even past its spooler).
  std::shared_ptr<SchedulerConnection> Borrow();

 private:
  struct Idle;  // the connections given back, and the password for new ones
  std::shared_ptr<Idle> idle_;
};

// One request as one step of a borrowed connection: its answer, or the failure when there is
// none or it is an error. An empty list is an answer.
SpoolerResult<IppMessage> AskOnce(SchedulerConnections& connections, const StepLimits& limits,
                                  IppMessage request, const char* resource, Asking asking);
// The scheduler's queues, with these attributes of each, in one step of a borrowed connection:
// those cupsGetDests2 lists, every printer and class of a scheduler on this machine and, of
// another, those it has not merely discovered on the network.
SpoolerResult<IppMessage> AskForQueues(SchedulerConnections& connections, const StepLimits& limits,
                                       const std::vector<const char*>& attributes);

}  // namespace varnok
