#include "printer/cups_connection.h"

#include <utility>

namespace varnok {
namespace {

// The program's only waits for the scheduler (libcups's own are 30 s and more). A local
// scheduler connects at once and answers within milliseconds; a remote one in well under these.
constexpr int kConnectMilliseconds = 3'000;
constexpr auto kAnswerTime = std::chrono::seconds(10);
// How often a wait looks at its step's deadline. libcups adds a fixed wait of 1 s for a
// "100 Continue" to each request, so a step that libcups spreads over several requests may
// take a little longer than the answer time, but never more than a few seconds longer.
constexpr double kPollSeconds = 0.5;

}  // namespace

SchedulerConnection::SchedulerConnection(HttpConnection http)
    : http_(std::move(http)), allowance_(std::make_unique<Allowance>()) {
  httpSetTimeout(http_.get(), kPollSeconds, &SchedulerConnection::KeepWaiting, allowance_.get());
  StartStep();
}

void SchedulerConnection::StartStep(std::chrono::seconds extra) {
  if (!allowance_) return;
  *allowance_ = {std::chrono::steady_clock::now() + kAnswerTime + extra, false};
}

// Called by libcups each time a wait has gone kPollSeconds without news; 0 ends the wait.
int SchedulerConnection::KeepWaiting(http_t* /*http*/, void* allowance) {
  auto& step = *static_cast<Allowance*>(allowance);
  if (std::chrono::steady_clock::now() < step.deadline) return 1;
  step.ran_out = true;
  return 0;
}

SchedulerConnection ConnectToScheduler(SpoolerFailure& failure) {
  const auto unreachable = [&failure](std::string_view why) {
    failure = {
        IPP_STATUS_ERROR_SERVICE_UNAVAILABLE,
        "Cannot reach the print system at " + std::string(cupsServer()) + ": " + std::string(why)};
    return SchedulerConnection();
  };
  // Made without connecting (a wait of 0), so that a failed connection can be told from an
  // address that cannot be found: errno after a failed httpConnect2 tells neither.
  HttpConnection http(
      httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr));
  if (!http) return unreachable("its address cannot be found");
  if (httpReconnect2(http.get(), kConnectMilliseconds, nullptr) != 0) {
    return unreachable("it is not running or does not take connections");
  }
  return SchedulerConnection(std::move(http));
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

SpoolerFailure RequestFailure(const SchedulerConnection& http, std::string_view fallback) {
  if (http.TimedOut()) {
    return {static_cast<int>(cupsLastError()), "the print system did not answer in time", true};
  }
  ipp_status_t status = cupsLastError();
  if (IsSuccess(status)) return {IPP_STATUS_ERROR_SERVICE_UNAVAILABLE, std::string(fallback)};
  const char* reason = cupsLastErrorString();
  return {status, reason != nullptr && *reason != '\0' ? reason : ippErrorString(status)};
}

}  // namespace varnok
