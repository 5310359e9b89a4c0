#include "spooler/cups_connection.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <mutex>
#include <utility>

#include "spooler/bounded_worker.h"

namespace varnok {

struct SchedulerConnection::Link {
  explicit Link(PrintServerPassword* server_password)
      : password(server_password),
        server(cupsServer()),
        port(ippPort()),
        encryption(cupsEncryption()) {}

  // On the connection's thread, before each step: libcups keeps its settings and the password
  // callback per thread.
  void BeginStep(const StepLimits& step_limits, StepClock& step_clock) {
    if (!thread_set_up) {
      cupsSetServer(server.c_str());
      ippSetPort(port);
      cupsSetEncryption(encryption);
      thread_set_up = true;
    }
    cupsSetPasswordCB2(&SchedulerConnection::AnswerPassword, this);
    limits = step_limits;
    clock = &step_clock;
    started = StepWait::Clock::now();
    ran_out = false;
    fell_silent = false;
    offered_once = false;
    trouble.reset();
    if (http) Listen();
  }

  // libcups waits this long for each piece of an answer, some of its waits without asking
  // whether it may go on; those that ask are told no.
  void Listen() {
    httpSetTimeout(http.get(), static_cast<double>(limits.silence.count()),
                   &SchedulerConnection::SilenceReached, this);
  }

  // From the waiting thread, when the step's time has run out: ends any wait on the socket.
  void Interrupt() {
    std::lock_guard lock(mutex);
    ran_out = true;
    // The socket is looked up now rather than when the step began: libcups may have connected
    // afresh within the step.
    if (http) shutdown(httpGetFd(http.get()), SHUT_RDWR);
  }

  void Open(HttpConnection connection) {
    std::lock_guard lock(mutex);
    http = std::move(connection);
  }

  std::mutex mutex;  // guards `http` against an interruption while it changes
  HttpConnection http;
  PrintServerPassword* password;
  // The scheduler libcups was pointed at on the thread that made the connection.
  std::string server;
  int port;
  http_encryption_t encryption;
  bool thread_set_up = false;

  StepLimits limits = kStepLimits;  // the current step's
  StepClock* clock = nullptr;       // the current step's
  StepWait::Clock::time_point started;
  std::atomic<bool> ran_out = false;  // the step's time ran out
  bool fell_silent = false;           // a wait of the current step went its silence without news
  std::string offered;                // the password given in this step
  bool offered_once = false;
  std::optional<PasswordWanted> trouble;
  // Last, so that it ends, waiting for its thread, before what the steps use goes.
  BoundedWorker worker;
};

namespace {

// Whether the connection is still open with nothing to read: the scheduler took the request and
// fell silent, rather than closing the connection or sending what could not be read.
bool OpenAndSilent(http_t* http) {
  pollfd descriptor{httpGetFd(http), POLLIN, 0};
  return poll(&descriptor, 1, 0) == 0;
}

// A connection to the scheduler libcups is pointed at on this thread.
SpoolerResult<HttpConnection> Connect() {
  const auto unreachable = [](std::string_view why) {
    return SpoolerFailure{
        .status = IPP_STATUS_ERROR_SERVICE_UNAVAILABLE,
        .reason = "Cannot reach the print system at " + SchedulerName() + ": " + std::string(why),
        .unreachable = true};
  };
  // Made without connecting (a wait of 0), so that a failed connection can be told from an
  // address that cannot be found: errno after a failed httpConnect2 tells neither.
  HttpConnection http(
      httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr));
  if (!http) return unreachable("its address cannot be found");
  const auto connect_time = std::chrono::duration_cast<std::chrono::milliseconds>(kConnectTime);
  if (httpReconnect2(http.get(), static_cast<int>(connect_time.count()), nullptr) != 0) {
    return unreachable("it is not running or does not take connections");
  }
  return http;
}

// A CUPS-Get-Printers request for these attributes, asked as cupsGetDests2 asks.
IppMessage NewQueueListRequest(const SchedulerConnection& http,
                               const std::vector<const char*>& attributes) {
  IppMessage request(ippNewRequest(IPP_OP_CUPS_GET_PRINTERS));
  AddRequestedAttributes(request.get(), attributes);
  // Type 0 under this mask leaves out what a remote server discovered.
  if (!httpAddrLocalhost(httpGetAddress(http.get()))) {
    ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_ENUM, "printer-type-mask",
                  CUPS_PRINTER_DISCOVERED);
  }
  return request;
}

// Within a step: the request's answer.
SpoolerResult<IppMessage> AskScheduler(const SchedulerConnection& http, IppMessage request,
                                       const char* resource, Asking asking) {
  IppMessage response(cupsDoRequest(http.get(), request.release(), resource));
  // Only an IPP answer counts as empty: an HTTP server's "Not Found" comes without one.
  if (asking == Asking::List && response &&
      ippGetStatusCode(response.get()) == IPP_STATUS_ERROR_NOT_FOUND) {
    return response;
  }
  if (!Succeeded(response.get())) {
    return RequestFailure(http, response.get(), "the print system gave no answer");
  }
  return response;
}

}  // namespace

SchedulerConnection::SchedulerConnection(PrintServerPassword* password)
    : link_(std::make_unique<Link>(password)) {}
SchedulerConnection::~SchedulerConnection() = default;

bool SchedulerConnection::ServesThisThreadsScheduler() const {
  return link_->server == cupsServer() && link_->port == ippPort() &&
         link_->encryption == cupsEncryption();
}

SpoolerResult<void> SchedulerConnection::RunStep(const StepLimits& limits,
                                                 const std::function<void()>& step) {
  Link& link = *link_;
  // Between steps nothing is owed on the connection: something to read means the scheduler
  // closed it, or an answer was left half read; libcups closes a socket it found broken.
  if (link.http && (httpGetFd(link.http.get()) < 0 || !OpenAndSilent(link.http.get()))) {
    link.Open(nullptr);
  }
  const bool connecting = !link.http;
  const auto time = std::chrono::duration_cast<std::chrono::milliseconds>(
      limits.whole + (connecting ? kConnectTime : std::chrono::seconds(0)));
  return link.worker.RunInterruptible(
      time,
      [&link, &limits, &step](StepClock& clock) -> SpoolerResult<void> {
        link.BeginStep(limits, clock);
        if (!link.http) {
          SpoolerResult<HttpConnection> connection = Connect();
          if (!connection) return connection.failure();
          link.Open(std::move(*connection));
          link.Listen();
        }
        step();
        link.clock = nullptr;
        return {};
      },
      [&link] { link.Interrupt(); });
}

void SchedulerConnection::Close() { link_->Open(nullptr); }

http_t* SchedulerConnection::get() const { return link_->http.get(); }

bool SchedulerConnection::TimedOut() const {
  const Link& link = *link_;
  if (link.ran_out || link.fell_silent) return true;
  // The wait for more of an answer under way ends without a word when the silence runs out;
  // the connection then stays open, and the silence has passed since the step began.
  return StepWait::Clock::now() - link.started >= link.limits.silence &&
         OpenAndSilent(link.http.get());
}

int SchedulerConnection::SilenceReached(http_t* /*http*/, void* link) {
  static_cast<Link*>(link)->fell_silent = true;
  return 0;
}

std::optional<PasswordWanted> SchedulerConnection::PasswordTrouble() const {
  return link_->trouble;
}

// libcups asks on the thread that makes the request. The password is asked for once a step; a
// second question in the same step means the server turned the answer down, and is answered
// with nothing, so that a wrong password is not offered again and again.
const char* SchedulerConnection::AnswerPassword(const char* /*prompt*/, http_t* http,
                                                const char* /*method*/, const char* /*resource*/,
                                                void* data) {
  auto* link = static_cast<Link*>(data);
  char server[256];
  httpGetHostname(http, server, sizeof(server));
  PasswordWanted wanted{cupsUser(), server};
  if (link->offered_once) {
    if (link->password != nullptr) link->password->Refused();
    wanted.refused = true;
    link->trouble = wanted;
    return nullptr;
  }
  std::optional<std::string> answer;
  if (link->password != nullptr) {
    {
      // The time the user takes to answer counts for no step: the step starts again after it.
      const StepClock::Hold hold = link->clock->HoldWhileTheUserAnswers();
      answer = link->password->Get(wanted.user, wanted.server);
    }
    link->started = StepWait::Clock::now();
    wanted.refused = !answer && link->password->WasRefused();
  }
  if (!answer) {
    link->trouble = wanted;
    return nullptr;
  }
  link->offered = std::move(*answer);
  link->offered_once = true;
  return link->offered.c_str();
}

struct SchedulerConnections::Idle {
  explicit Idle(PrintServerPassword* server_password) : password(server_password) {}

  PrintServerPassword* password;
  std::mutex mutex;
  std::vector<std::unique_ptr<SchedulerConnection>> connections;
};

SchedulerConnections::SchedulerConnections(PrintServerPassword* password)
    : idle_(std::make_shared<Idle>(password)) {}

std::shared_ptr<SchedulerConnection> SchedulerConnections::Borrow() {
  std::unique_ptr<SchedulerConnection> connection;
  std::vector<std::unique_ptr<SchedulerConnection>> elsewhere;  // ended outside the lock
  {
    const std::lock_guard lock(idle_->mutex);
    auto& idle = idle_->connections;
    // Those to another scheduler (libcups pointed elsewhere since) are not wanted any more.
    const auto wanted = std::partition(idle.begin(), idle.end(), [](const auto& candidate) {
      return candidate->ServesThisThreadsScheduler();
    });
    std::move(wanted, idle.end(), std::back_inserter(elsewhere));
    idle.erase(wanted, idle.end());
    if (!idle.empty()) {
      connection = std::move(idle.back());
      idle.pop_back();
    }
  }
  if (!connection) connection = std::make_unique<SchedulerConnection>(idle_->password);
  return {connection.release(), [idle = idle_](SchedulerConnection* given_back) {
            const std::lock_guard lock(idle->mutex);
            idle->connections.emplace_back(given_back);
          }};
}

SpoolerResult<IppMessage> AskOnce(SchedulerConnections& connections, const StepLimits& limits,
                                  IppMessage request, const char* resource, Asking asking) {
  const std::shared_ptr<SchedulerConnection> http = connections.Borrow();
  return http->Run(limits,
                   [&] { return AskScheduler(*http, std::move(request), resource, asking); });
}

SpoolerResult<IppMessage> AskForQueues(SchedulerConnections& connections, const StepLimits& limits,
                                       const std::vector<const char*>& attributes) {
  const std::shared_ptr<SchedulerConnection> http = connections.Borrow();
  return http->Run(limits, [&] {
    return AskScheduler(*http, NewQueueListRequest(*http, attributes), "/", Asking::List);
  });
}

std::string SchedulerName() {
  const std::string host = cupsServer();
  // A local socket is named by its path alone; a host keeps its port, which tells two servers
  // of one machine apart.
  if (host.starts_with('/')) return host;
  const bool v6 = host.find(':') != std::string::npos;
  return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(ippPort());
}

SpoolerFailure NoSuchQueue() {
  return {IPP_STATUS_ERROR_NOT_FOUND, "The printer or class does not exist."};
}

IppMessage NewQueueRequest(ipp_op_t operation, std::string_view queue) {
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", ippPort(),
                   "/printers/%s", std::string(queue).c_str());
  IppMessage request(ippNewRequest(operation));
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  return request;
}

void AddRequestedAttributes(ipp_t* request, const std::vector<const char*>& attributes) {
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(attributes.size()), nullptr, attributes.data());
}

bool IsSuccess(ipp_status_t status) { return status < IPP_STATUS_REDIRECTION_OTHER_SITE; }

bool IsAccessRefusal(ipp_status_t status) {
  return status == IPP_STATUS_ERROR_FORBIDDEN || status == IPP_STATUS_ERROR_NOT_AUTHENTICATED ||
         status == IPP_STATUS_ERROR_NOT_AUTHORIZED;
}

bool Succeeded(ipp_t* response) {
  return response != nullptr && IsSuccess(ippGetStatusCode(response));
}

SpoolerFailure RequestFailure(const SchedulerConnection& http, ipp_t* response,
                              std::string_view fallback) {
  if (http.TimedOut()) {
    return {.status = static_cast<int>(cupsLastError()),
            .reason = "the print system did not answer in time",
            .no_answer = true};
  }
  if (std::optional<PasswordWanted> wanted = http.PasswordTrouble()) {
    const std::string reason =
        wanted->refused
            ? "the print server " + wanted->server + " did not accept the password of user " +
                  wanted->user
            : "the print server " + wanted->server + " wants a password for user " + wanted->user;
    return {.status = IPP_STATUS_ERROR_NOT_AUTHENTICATED,
            .reason = reason,
            .password = std::move(wanted)};
  }
  if (response != nullptr && !IsSuccess(ippGetStatusCode(response))) {
    const ipp_status_t status = ippGetStatusCode(response);
    const char* message =
        ippGetString(ippFindAttribute(response, "status-message", IPP_TAG_TEXT), 0, nullptr);
    return {status, message != nullptr && *message != '\0' ? message : ippErrorString(status)};
  }
  // libcups leaves no status of its own when the connection broke: whatever it holds is stale.
  if (response == nullptr && httpGetStatus(http.get()) == HTTP_STATUS_ERROR) {
    return {IPP_STATUS_ERROR_SERVICE_UNAVAILABLE, "the connection to the print system was lost"};
  }
  ipp_status_t status = cupsLastError();
  if (IsSuccess(status)) return {IPP_STATUS_ERROR_SERVICE_UNAVAILABLE, std::string(fallback)};
  const char* reason = cupsLastErrorString();
  return {status, reason != nullptr && *reason != '\0' ? reason : ippErrorString(status)};
}

}  // namespace varnok
