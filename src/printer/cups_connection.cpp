#include "printer/cups_connection.h"

#include <poll.h>

#include <utility>

#include "printer/connection_watchdog.h"

namespace varnok {
namespace {

using Clock = ConnectionWatchdog::Clock;

}  // namespace

struct SchedulerConnection::Link : WatchedConnection {
  Link(HttpConnection connection, PrintServerPassword* server_password)
      : owned(std::move(connection)), password(server_password) {
    http = owned.get();
  }
  // Forgotten by the watchdog before the connection closes.
  ~Link() { ConnectionWatchdog::Instance().Forget(*this); }
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  HttpConnection owned;
  PrintServerPassword* password;
  StepLimits limits = kStepLimits;  // the current step's
  Clock::time_point started;        // when the current step began
  bool fell_silent = false;         // a wait of the current step went its silence without news
  std::string offered;              // the password given on this connection
  bool offered_once = false;
  std::optional<PasswordWanted> trouble;
};

namespace {

// Whether the connection is still open with nothing to read: the scheduler took the request and
// fell silent, rather than closing the connection or sending what could not be read.
bool OpenAndSilent(http_t* http) {
  pollfd descriptor{httpGetFd(http), POLLIN, 0};
  return poll(&descriptor, 1, 0) == 0;
}

}  // namespace

SchedulerConnection::SchedulerConnection() = default;
SchedulerConnection::~SchedulerConnection() = default;
SchedulerConnection::SchedulerConnection(SchedulerConnection&&) noexcept = default;
SchedulerConnection& SchedulerConnection::operator=(SchedulerConnection&&) noexcept = default;

SchedulerConnection::SchedulerConnection(HttpConnection http, PrintServerPassword* password,
                                         const StepLimits& limits)
    : link_(std::make_unique<Link>(std::move(http), password)) {
  StartStep(limits);
}

http_t* SchedulerConnection::get() const { return link_ ? link_->http : nullptr; }

void SchedulerConnection::StartStep(const StepLimits& limits) {
  if (!link_) return;
  // libcups keeps the password callback per thread, and a connection may move between threads.
  cupsSetPasswordCB2(&SchedulerConnection::AnswerPassword, nullptr);
  link_->limits = limits;
  link_->started = Clock::now();
  link_->ran_out = false;
  link_->fell_silent = false;
  // libcups waits this long for each piece of an answer, some of its waits without asking
  // whether it may go on; those that ask are told no.
  httpSetTimeout(link_->http, static_cast<double>(limits.silence.count()),
                 &SchedulerConnection::SilenceReached, link_.get());
  ConnectionWatchdog::Instance().Watch(*link_, link_->started + limits.whole);
}

void SchedulerConnection::EndStep() {
  if (link_) ConnectionWatchdog::Instance().Watch(*link_, Clock::time_point::max());
}

bool SchedulerConnection::TimedOut() const {
  if (!link_) return false;
  if (link_->ran_out || link_->fell_silent) return true;
  // The wait for more of an answer under way ends without a word when the silence runs out;
  // the connection then stays open, and the silence has passed since the step began.
  return Clock::now() - link_->started >= link_->limits.silence && OpenAndSilent(link_->http);
}

int SchedulerConnection::SilenceReached(http_t* /*http*/, void* link) {
  static_cast<Link*>(link)->fell_silent = true;
  return 0;
}

std::optional<PasswordWanted> SchedulerConnection::PasswordTrouble() const {
  return link_ ? link_->trouble : std::nullopt;
}

// libcups asks on the thread that makes the request. The connection's password is asked for
// once; a second question on the same connection means the server turned the answer down, and
// is answered with nothing, so that a wrong password is not offered again and again.
const char* SchedulerConnection::AnswerPassword(const char* /*prompt*/, http_t* http,
                                                const char* /*method*/, const char* /*resource*/,
                                                void* /*data*/) {
  ConnectionWatchdog& watchdog = ConnectionWatchdog::Instance();
  auto* link = static_cast<Link*>(watchdog.Find(http));
  if (link == nullptr) return nullptr;
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
    // The time the user takes to answer counts for no step: the step starts again after it.
    watchdog.Watch(*link, Clock::time_point::max());
    answer = link->password->Get(wanted.user, wanted.server);
    link->started = Clock::now();
    watchdog.Watch(*link, link->started + link->limits.whole);
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

SchedulerConnection ConnectToScheduler(SpoolerFailure& failure, PrintServerPassword* password,
                                       const StepLimits& limits) {
  const auto unreachable = [&failure](std::string_view why) {
    failure = {
        .status = IPP_STATUS_ERROR_SERVICE_UNAVAILABLE,
        .reason = "Cannot reach the print system at " + SchedulerName() + ": " + std::string(why),
        .unreachable = true};
    return SchedulerConnection();
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
  return SchedulerConnection(std::move(http), password, limits);
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

IppMessage NewQueueListRequest(const SchedulerConnection& http,
                               const std::vector<const char*>& attributes) {
  IppMessage request(ippNewRequest(IPP_OP_CUPS_GET_PRINTERS));
  AddRequestedAttributes(request.get(), attributes);
  // As cupsGetDests2 asks: type 0 under this mask leaves out what a remote server discovered.
  if (!httpAddrLocalhost(httpGetAddress(http.get()))) {
    ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_ENUM, "printer-type-mask",
                  CUPS_PRINTER_DISCOVERED);
  }
  return request;
}

bool IsSuccess(ipp_status_t status) { return status < IPP_STATUS_REDIRECTION_OTHER_SITE; }

bool IsAccessRefusal(ipp_status_t status) {
  return status == IPP_STATUS_ERROR_FORBIDDEN || status == IPP_STATUS_ERROR_NOT_AUTHENTICATED ||
         status == IPP_STATUS_ERROR_NOT_AUTHORIZED;
}

bool Succeeded(ipp_t* response) {
  return response != nullptr && IsSuccess(ippGetStatusCode(response));
}

IppMessage AskScheduler(const SchedulerConnection& http, IppMessage request, const char* resource,
                        SpoolerFailure& failure, Asking asking) {
  IppMessage response(cupsDoRequest(http.get(), request.release(), resource));
  // Only an IPP answer counts as empty: an HTTP server's "Not Found" comes without one.
  if (asking == Asking::List && response &&
      ippGetStatusCode(response.get()) == IPP_STATUS_ERROR_NOT_FOUND) {
    return response;
  }
  if (!Succeeded(response.get())) {
    failure = RequestFailure(http, response.get(), "the print system gave no answer");
    return nullptr;
  }
  return response;
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
