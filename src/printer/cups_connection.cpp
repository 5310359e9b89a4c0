#include "printer/cups_connection.h"

#include <cstring>

namespace varnok {
namespace {

constexpr int kConnectMilliseconds = 30'000;
constexpr double kAnswerSeconds = 30.0;
constexpr size_t kMaxQueueNameBytes = 127;

}  // namespace

HttpConnection ConnectToScheduler(SpoolerFailure& failure) {
  const auto unreachable = [&failure](std::string_view why) {
    failure = {
        IPP_STATUS_ERROR_SERVICE_UNAVAILABLE,
        "Cannot reach the print system at " + std::string(cupsServer()) + ": " + std::string(why)};
    return nullptr;
  };
  // Made without connecting (a wait of 0), so that a failed connection can be told from an
  // address that cannot be found: errno after a failed httpConnect2 tells neither.
  HttpConnection http(
      httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr));
  if (!http) return unreachable("its address cannot be found");
  if (httpReconnect2(http.get(), kConnectMilliseconds, nullptr) != 0) {
    return unreachable("it is not running or does not take connections");
  }
  httpSetTimeout(http.get(), kAnswerSeconds, nullptr, nullptr);
  return http;
}

bool IsCupsQueueName(std::string_view queue) {
  if (queue.empty() || queue.size() > kMaxQueueNameBytes) return false;
  for (char c : queue) {
    auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 127 || std::strchr("/\\?'\"#", c) != nullptr) return false;
  }
  return true;
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

bool IsSuccess(ipp_status_t status) { return status < IPP_STATUS_REDIRECTION_OTHER_SITE; }

SpoolerFailure LastCupsFailure(std::string_view fallback) {
  ipp_status_t status = cupsLastError();
  if (IsSuccess(status)) return {IPP_STATUS_ERROR_SERVICE_UNAVAILABLE, std::string(fallback)};
  const char* reason = cupsLastErrorString();
  return {status, reason != nullptr && *reason != '\0' ? reason : ippErrorString(status)};
}

}  // namespace varnok
