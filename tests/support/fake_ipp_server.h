#pragma once

#include <cups/cups.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace varnok::testing {

// What the fake print server does with a request.
enum class Reply {
  Normal,        // answers as a scheduler would
  Status,        // answers with the chosen status and status-message
  Hold,          // reads the request and never answers
  Close,         // reads the request and closes the connection
  Drip,          // answers normally, one byte every 0.3 s, for far longer than any wait
  Stream,        // answers normally in `pieces` parts, `pause` apart, as a scheduler streams
                 // what it finds; with `stalls`, falls silent before the last part
  Unauthorized,  // HTTP 401 asking for a Basic password, unless the request carries the right one
  NotIpp,        // HTTP 501 Not Implemented, as a web server that is no print server answers
};

struct Behaviour {
  Reply reply = Reply::Normal;
  ipp_status_t status = IPP_STATUS_OK;   // Status: the answer's status
  std::string message = {};              // Status: its status-message
  std::string password = {};             // Unauthorized: the password it takes (none when empty)
  bool after_document = false;           // only once a document has arrived; normal until then
  int pieces = 1;                        // Stream: into how many parts the answer is cut
  std::chrono::milliseconds pause = {};  // Stream: the wait before each part
  bool stalls = false;                   // Stream: the last part never comes
};

struct FakePrinter {
  std::string name;
  std::string make_and_model;
  bool accepting_jobs = true;
};

// A print server on 127.0.0.1, at a port of its own, that speaks just enough IPP for the
// program (CUPS-Get-Printers, Get-Printer-Attributes, Create-Job, Send-Document, Close-Job,
// Cancel-Job; CUPS-Get-Devices with kFakeDevices network printers, CUPS-Get-PPDs with a driver
// file for each printer's model, CUPS-Add-Modify-Printer) and misbehaves on request, operation
// by operation. Point libcups at Address()
// (CUPS_SERVER, or -h for varnok-printer). Ending it ends every held or dripping answer.
inline constexpr int kFakeDevices = 40;

class FakeIppServer {
 public:
  explicit FakeIppServer(std::vector<FakePrinter> printers);
  ~FakeIppServer();
  FakeIppServer(const FakeIppServer&) = delete;
  FakeIppServer& operator=(const FakeIppServer&) = delete;

  std::string Address() const;  // "127.0.0.1:PORT"

  // From now on, requests of the operation get this behaviour.
  void Set(ipp_op_t operation, Behaviour behaviour);
  // The behaviour of every operation that has none of its own.
  void SetOthers(Behaviour behaviour);

  // How many requests of the operation arrived (also those answered with 401).
  int Requests(ipp_op_t operation) const;
  // Every document that arrived whole, in order, whatever the answer to it.
  std::vector<std::string> Documents() const;
  // How many times it asked for a password.
  int PasswordRequests() const;
  // How many connections it took.
  int Connections() const;

 private:
  void AcceptConnections();
  void Serve(http_t* http);
  Behaviour BehaviourFor(ipp_op_t operation) const;
  bool Authorized(const std::string& authorization, const std::string& password) const;
  ipp_t* Answer(ipp_t* request, const std::string& document, const Behaviour& behaviour);
  void AddPrinter(ipp_t* response, const FakePrinter& printer) const;
  const FakePrinter* PrinterOf(ipp_t* request) const;
  void HoldUntilEnd();
  void Drip(http_t* http, ipp_t* response);
  void Stream(http_t* http, ipp_t* response, const Behaviour& behaviour);

  const std::vector<FakePrinter> printers_;
  int port_ = 0;
  int listener_ = -1;

  mutable std::mutex mutex_;
  std::condition_variable ended_;
  bool ending_ = false;
  std::map<ipp_op_t, Behaviour> behaviours_;
  Behaviour others_;
  std::map<ipp_op_t, int> requests_;
  std::vector<std::string> documents_;
  int password_requests_ = 0;
  int connections_ = 0;
  int next_job_id_ = 1;
  std::vector<http_t*> open_;  // connections being served, shut down at the end
  std::vector<std::thread> servers_;

  std::thread acceptor_;
};

}  // namespace varnok::testing
