#pragma once

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

namespace varnok::testing {

// The far end of the virtual printers' socket:// devices: one loopback listener per queue,
// served by one thread. Every connection's bytes become one job file in the queue's folder
// (job-0001, job-0002, ...), written once the connection has closed.
class JobCapture {
 public:
  explicit JobCapture(std::filesystem::path folder);
  ~JobCapture();
  JobCapture(const JobCapture&) = delete;
  JobCapture& operator=(const JobCapture&) = delete;

  // Starts listening for the queue's printer and returns the port.
  int Listen(const std::string& queue);
  void Close(const std::string& queue);

  // The bytes of the queue's next job not yet taken, or nullopt after the timeout.
  std::optional<std::string> WaitForJob(std::string_view queue, std::chrono::milliseconds timeout);

 private:
  struct Printer {
    int listen_fd = -1;
    int port = 0;
    bool closing = false;
    int stored = 0;  // jobs written to the folder
    int taken = 0;   // jobs handed out by WaitForJob
  };
  struct Connection {
    std::string queue;
    int fd = -1;
    std::string bytes;
  };

  std::filesystem::path JobFile(const std::string& queue, int number) const;
  void Serve();
  void Wake();
  void Store(const Connection& connection);

  std::filesystem::path folder_;
  std::mutex mutex_;
  std::condition_variable job_stored_;
  std::map<std::string, Printer, std::less<>> printers_;
  bool stopping_ = false;
  int wake_fds_[2] = {-1, -1};
  std::thread thread_;
};

}  // namespace varnok::testing
