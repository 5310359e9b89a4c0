#include "support/fake_ipp_server.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

#include "support/loopback.h"

namespace varnok::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kDripInterval = 300ms;

struct IppDeleter {
  void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

// The whole IPP message as bytes, written by libcups itself.
std::string Serialized(ipp_t* message) {
  std::string bytes;
  ippWriteIO(
      &bytes,
      [](void* out, ipp_uchar_t* buffer, size_t length) -> ssize_t {
        static_cast<std::string*>(out)->append(reinterpret_cast<const char*>(buffer), length);
        return static_cast<ssize_t>(length);
      },
      1, nullptr, message);
  return bytes;
}

bool RespondHttp(http_t* http, http_status_t status, const char* authenticate = nullptr) {
  httpClearFields(http);
  if (authenticate != nullptr) httpSetField(http, HTTP_FIELD_WWW_AUTHENTICATE, authenticate);
  httpSetLength(http, 0);
  return httpWriteResponse(http, status) == 0;
}

bool RespondIpp(http_t* http, ipp_t* response) {
  httpClearFields(http);
  httpSetField(http, HTTP_FIELD_CONTENT_TYPE, "application/ipp");
  httpSetLength(http, ippLength(response));
  if (httpWriteResponse(http, HTTP_STATUS_OK) != 0) return false;
  ipp_state_t state;
  while ((state = ippWrite(http, response)) != IPP_STATE_DATA) {
    if (state == IPP_STATE_ERROR) return false;
  }
  return httpFlushWrite(http) >= 0;
}

}  // namespace

FakeIppServer::FakeIppServer(std::vector<FakePrinter> printers)
    : printers_(std::move(printers)),
      listener_(OpenLoopbackListener(port_)),
      acceptor_([this] { AcceptConnections(); }) {}

FakeIppServer::~FakeIppServer() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
    for (http_t* http : open_) shutdown(httpGetFd(http), SHUT_RDWR);
  }
  ended_.notify_all();
  shutdown(listener_, SHUT_RDWR);
  acceptor_.join();
  for (std::thread& server : servers_) server.join();
  close(listener_);
}

std::string FakeIppServer::Address() const { return "127.0.0.1:" + std::to_string(port_); }

void FakeIppServer::Set(ipp_op_t operation, Behaviour behaviour) {
  std::lock_guard lock(mutex_);
  behaviours_[operation] = std::move(behaviour);
}

void FakeIppServer::SetOthers(Behaviour behaviour) {
  std::lock_guard lock(mutex_);
  others_ = std::move(behaviour);
}

int FakeIppServer::Requests(ipp_op_t operation) const {
  std::lock_guard lock(mutex_);
  const auto found = requests_.find(operation);
  return found == requests_.end() ? 0 : found->second;
}

std::vector<std::string> FakeIppServer::Documents() const {
  std::lock_guard lock(mutex_);
  return documents_;
}

int FakeIppServer::PasswordRequests() const {
  std::lock_guard lock(mutex_);
  return password_requests_;
}

int FakeIppServer::Connections() const {
  std::lock_guard lock(mutex_);
  return connections_;
}

void FakeIppServer::AcceptConnections() {
  for (;;) {
    http_t* http = httpAcceptConnection(listener_, 1);
    if (http == nullptr) return;  // the listener was shut down
    std::lock_guard lock(mutex_);
    if (ending_) {
      httpClose(http);
      return;
    }
    ++connections_;
    open_.push_back(http);
    servers_.emplace_back([this, http] { Serve(http); });
  }
}

Behaviour FakeIppServer::BehaviourFor(ipp_op_t operation) const {
  const auto own = behaviours_.find(operation);
  const Behaviour& behaviour = own != behaviours_.end() ? own->second : others_;
  if (behaviour.after_document && documents_.empty()) return {};
  return behaviour;
}

bool FakeIppServer::Authorized(const std::string& authorization,
                               const std::string& password) const {
  constexpr std::string_view kBasic = "Basic ";
  if (password.empty() || !authorization.starts_with(kBasic)) return false;
  char decoded[256];
  int length = sizeof(decoded);
  httpDecode64_2(decoded, &length, authorization.c_str() + kBasic.size());
  const std::string user_and_password(decoded, static_cast<size_t>(std::max(length, 0)));
  const size_t colon = user_and_password.find(':');
  return colon != std::string::npos && user_and_password.substr(colon + 1) == password;
}

// One connection: requests one after the other until the client closes it, the behaviour
// closes it, or the server ends.
void FakeIppServer::Serve(http_t* http) {
  for (;;) {
    char resource[HTTP_MAX_URI];
    if (httpReadRequest(http, resource, sizeof(resource)) != HTTP_STATE_POST) break;
    http_status_t header;
    while ((header = httpUpdate(http)) == HTTP_STATUS_CONTINUE) {
    }
    if (header != HTTP_STATUS_OK) break;
    const char* authorization_field = httpGetField(http, HTTP_FIELD_AUTHORIZATION);
    const std::string authorization = authorization_field != nullptr ? authorization_field : "";
    if (httpGetExpect(http) == HTTP_STATUS_CONTINUE && !RespondHttp(http, HTTP_STATUS_CONTINUE)) {
      break;
    }
    Ipp request(ippNew());
    ipp_state_t state;
    while ((state = ippRead(http, request.get())) != IPP_STATE_DATA) {
      if (state == IPP_STATE_ERROR) break;
    }
    if (state == IPP_STATE_ERROR) break;
    std::string document;
    char buffer[8192];
    for (ssize_t count; (count = httpRead2(http, buffer, sizeof(buffer))) > 0;) {
      document.append(buffer, static_cast<size_t>(count));
    }

    const ipp_op_t operation = ippGetOperation(request.get());
    Behaviour behaviour;
    {
      std::lock_guard lock(mutex_);
      ++requests_[operation];
      behaviour = BehaviourFor(operation);
      if (behaviour.reply == Reply::Unauthorized && Authorized(authorization, behaviour.password)) {
        behaviour = {};
      }
      if (behaviour.reply == Reply::Unauthorized) {
        ++password_requests_;
      } else if (operation == IPP_OP_SEND_DOCUMENT) {
        documents_.push_back(document);
      }
    }
    if (behaviour.reply == Reply::Unauthorized) {
      if (!RespondHttp(http, HTTP_STATUS_UNAUTHORIZED, "Basic realm=\"CUPS\"")) break;
      continue;
    }
    if (behaviour.reply == Reply::NotIpp) {
      if (!RespondHttp(http, HTTP_STATUS_NOT_IMPLEMENTED)) break;
      continue;
    }
    if (behaviour.reply == Reply::Hold) HoldUntilEnd();
    if (behaviour.reply == Reply::Hold || behaviour.reply == Reply::Close) break;

    Ipp response(Answer(request.get(), document, behaviour));
    if (behaviour.reply == Reply::Drip) {
      Drip(http, response.get());
      break;
    }
    if (behaviour.reply == Reply::Stream) {
      Stream(http, response.get(), behaviour);
      break;
    }
    if (!RespondIpp(http, response.get())) break;
  }
  std::lock_guard lock(mutex_);
  std::erase(open_, http);
  httpClose(http);
}

ipp_t* FakeIppServer::Answer(ipp_t* request, const std::string& document,
                             const Behaviour& behaviour) {
  ipp_t* response = ippNewResponse(request);
  // The operation group comes first: libcups refuses groups out of order.
  if (behaviour.reply == Reply::Status) {
    ippSetStatusCode(response, behaviour.status);
    ippAddString(response, IPP_TAG_OPERATION, IPP_TAG_TEXT, "status-message", nullptr,
                 behaviour.message.c_str());
    return response;
  }
  if (behaviour.reply == Reply::Drip) {
    // Long enough to take minutes at a byte every 0.3 s.
    ippAddString(response, IPP_TAG_OPERATION, IPP_TAG_TEXT, "status-message", nullptr,
                 std::string(400, '.').c_str());
  }
  const FakePrinter* printer = PrinterOf(request);
  const auto not_found = [response] {
    ippSetStatusCode(response, IPP_STATUS_ERROR_NOT_FOUND);
    return response;
  };
  switch (ippGetOperation(request)) {
    case IPP_OP_CUPS_GET_PRINTERS:
      for (const FakePrinter& each : printers_) {
        AddPrinter(response, each);
        ippAddSeparator(response);
      }
      break;
    case IPP_OP_GET_PRINTER_ATTRIBUTES:
      if (printer == nullptr) return not_found();
      AddPrinter(response, *printer);
      break;
    case IPP_OP_CREATE_JOB: {
      if (printer == nullptr) return not_found();
      if (!printer->accepting_jobs) {
        ippSetStatusCode(response, IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS);
        break;
      }
      std::lock_guard lock(mutex_);
      ippAddInteger(response, IPP_TAG_JOB, IPP_TAG_INTEGER, "job-id", next_job_id_++);
      ippAddInteger(response, IPP_TAG_JOB, IPP_TAG_ENUM, "job-state", IPP_JSTATE_HELD);
      break;
    }
    case IPP_OP_SEND_DOCUMENT:
      ippAddInteger(response, IPP_TAG_JOB, IPP_TAG_INTEGER, "job-id",
                    ippGetInteger(ippFindAttribute(request, "job-id", IPP_TAG_INTEGER), 0));
      ippAddInteger(response, IPP_TAG_JOB, IPP_TAG_ENUM, "job-state",
                    document.empty() ? IPP_JSTATE_ABORTED : IPP_JSTATE_PENDING);
      break;
    case IPP_OP_CUPS_GET_DEVICES:
      for (int i = 0; i < kFakeDevices; ++i) {
        const std::string uri = "socket://127.0.0.1:" + std::to_string(9100 + i);
        ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "device-class", nullptr,
                     "network");
        ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr, uri.c_str());
        ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_TEXT, "device-make-and-model", nullptr,
                     i == 0 ? "VARNOK K540 200DPI" : "Unknown");
        ippAddSeparator(response);
      }
      break;
    case IPP_OP_CUPS_GET_PPDS:
      for (const FakePrinter& each : printers_) {
        const std::string name = "varnok/" + each.name + ".ppd";
        ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_NAME, "ppd-name", nullptr, name.c_str());
        ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_TEXT, "ppd-make-and-model", nullptr,
                     each.make_and_model.c_str());
        ippAddSeparator(response);
      }
      break;
    case IPP_OP_CLOSE_JOB:
    case IPP_OP_CANCEL_JOB:
    case IPP_OP_CUPS_ADD_MODIFY_PRINTER:
      break;
    default:
      ippSetStatusCode(response, IPP_STATUS_ERROR_OPERATION_NOT_SUPPORTED);
  }
  return response;
}

void FakeIppServer::AddPrinter(ipp_t* response, const FakePrinter& printer) const {
  ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_NAME, "printer-name", nullptr,
               printer.name.c_str());
  ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-make-and-model", nullptr,
               printer.make_and_model.c_str());
  ippAddBoolean(response, IPP_TAG_PRINTER, "printer-is-accepting-jobs",
                printer.accepting_jobs ? 1 : 0);
  ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr,
               "socket://127.0.0.1:9");
}

// The printer a request names by the last part of its printer-uri (CUPS's /printers/NAME).
const FakePrinter* FakeIppServer::PrinterOf(ipp_t* request) const {
  const char* uri = ippGetString(ippFindAttribute(request, "printer-uri", IPP_TAG_URI), 0, nullptr);
  if (uri == nullptr) return nullptr;
  const std::string_view path(uri);
  const std::string_view name = path.substr(path.rfind('/') + 1);
  const auto found =
      std::ranges::find_if(printers_, [name](const FakePrinter& p) { return p.name == name; });
  return found == printers_.end() ? nullptr : &*found;
}

void FakeIppServer::HoldUntilEnd() {
  std::unique_lock lock(mutex_);
  ended_.wait(lock, [this] { return ending_; });
}

// The answer byte by byte; the connection closes after it.
void FakeIppServer::Drip(http_t* http, ipp_t* response) {
  const std::string body = Serialized(response);
  const std::string bytes = "HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: " +
                            std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
  for (const char byte : bytes) {
    if (send(httpGetFd(http), &byte, 1, MSG_NOSIGNAL) != 1) return;
    std::unique_lock lock(mutex_);
    if (ended_.wait_for(lock, kDripInterval, [this] { return ending_; })) return;
  }
}

// The answer in chunks, as the scheduler streams an answer it makes as it goes; the connection
// closes after it, or stays silent until the end when it stalls.
void FakeIppServer::Stream(http_t* http, ipp_t* response, const Behaviour& behaviour) {
  const auto send_all = [http](const std::string& bytes) {
    return send(httpGetFd(http), bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
  };
  const auto chunk = [](std::string_view bytes) {
    char size[16];
    std::snprintf(size, sizeof(size), "%zx\r\n", bytes.size());
    return size + std::string(bytes) + "\r\n";
  };
  if (!send_all("HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n"
                "Transfer-Encoding: chunked\r\nConnection: close\r\n\r\n")) {
    return;
  }
  const std::string body = Serialized(response);
  const std::size_t pieces = static_cast<std::size_t>(std::max(behaviour.pieces, 1));
  for (std::size_t piece = 0; piece < pieces; ++piece) {
    const bool last = piece + 1 == pieces;
    if (last && behaviour.stalls) return HoldUntilEnd();
    {
      std::unique_lock lock(mutex_);
      if (ended_.wait_for(lock, behaviour.pause, [this] { return ending_; })) return;
    }
    const std::size_t begin = body.size() * piece / pieces;
    const std::size_t end = body.size() * (piece + 1) / pieces;
    if (!send_all(chunk(std::string_view(body).substr(begin, end - begin)))) return;
  }
  send_all(chunk({}));
}

}  // namespace varnok::testing
