#include "support/job_capture.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "support/loopback.h"

namespace varnok::testing {
namespace {

std::runtime_error SystemError(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// Reads what has arrived; false once the printer's side has closed the connection.
bool ReadMore(std::string& bytes, int fd) {
  char buffer[65536];
  ssize_t count = read(fd, buffer, sizeof(buffer));
  if (count > 0) bytes.append(buffer, static_cast<size_t>(count));
  return count > 0 || (count < 0 && (errno == EINTR || errno == EAGAIN));
}

}  // namespace

JobCapture::JobCapture(std::filesystem::path folder) : folder_(std::move(folder)) {
  if (pipe2(wake_fds_, O_CLOEXEC | O_NONBLOCK) != 0) throw SystemError("pipe");
  thread_ = std::thread([this] { Serve(); });
}

JobCapture::~JobCapture() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  Wake();
  thread_.join();
  close(wake_fds_[0]);
  close(wake_fds_[1]);
}

int JobCapture::Listen(const std::string& queue) {
  std::filesystem::create_directories(folder_ / queue);
  int port = 0;
  int fd = OpenLoopbackListener(port);
  {
    std::lock_guard lock(mutex_);
    Printer& printer = printers_[queue];
    if (printer.listen_fd >= 0) {
      // Listening already (perhaps about to close): keep that listener and its port.
      close(fd);
      printer.closing = false;
      return printer.port;
    }
    printer.listen_fd = fd;
    printer.port = port;
  }
  Wake();
  return port;
}

void JobCapture::Close(const std::string& queue) {
  {
    std::lock_guard lock(mutex_);
    auto it = printers_.find(queue);
    if (it == printers_.end()) return;
    it->second.closing = true;
  }
  Wake();
}

std::optional<std::string> JobCapture::WaitForJob(std::string_view queue,
                                                  std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  // Looked up afresh after every wake-up: the serving thread may drop a closed printer.
  auto waiting = [&] {
    auto it = printers_.find(queue);
    return it != printers_.end() && it->second.stored == it->second.taken;
  };
  job_stored_.wait_for(lock, timeout, [&] { return !waiting(); });
  auto it = printers_.find(queue);
  if (it == printers_.end() || it->second.stored == it->second.taken) return std::nullopt;
  const int number = ++it->second.taken;
  lock.unlock();
  return FileBytes(JobFile(std::string(queue), number));
}

std::filesystem::path JobCapture::JobFile(const std::string& queue, int number) const {
  char name[32];
  std::snprintf(name, sizeof(name), "job-%04d", number);
  return folder_ / queue / name;
}

void JobCapture::Wake() {
  char byte = 0;
  [[maybe_unused]] ssize_t ignored = write(wake_fds_[1], &byte, 1);
}

void JobCapture::Store(const Connection& connection) {
  int number = 0;
  {
    std::lock_guard lock(mutex_);
    auto it = printers_.find(connection.queue);
    if (it == printers_.end()) return;
    number = it->second.stored + 1;
  }
  // Written under another name first, so a reader never sees half a job.
  const std::filesystem::path file = JobFile(connection.queue, number);
  std::filesystem::path partial = file;
  partial += ".part";
  {
    std::ofstream out(partial, std::ios::binary);
    out.write(connection.bytes.data(), static_cast<std::streamsize>(connection.bytes.size()));
  }
  std::filesystem::rename(partial, file);
  {
    std::lock_guard lock(mutex_);
    auto it = printers_.find(connection.queue);
    if (it != printers_.end()) it->second.stored = number;
  }
  job_stored_.notify_all();
}

void JobCapture::Serve() {
  std::vector<Connection> connections;
  for (;;) {
    // Listeners are opened by callers but only ever closed here, so poll never sees a stale fd.
    std::vector<pollfd> fds{{wake_fds_[0], POLLIN, 0}};
    std::vector<std::string> listening;
    {
      std::lock_guard lock(mutex_);
      if (stopping_) break;
      for (auto it = printers_.begin(); it != printers_.end();) {
        Printer& printer = it->second;
        if (printer.closing) {
          close(printer.listen_fd);
          it = printers_.erase(it);
          continue;
        }
        fds.push_back({printer.listen_fd, POLLIN, 0});
        listening.push_back(it->first);
        ++it;
      }
    }
    const size_t first_connection = fds.size();
    for (const Connection& connection : connections) fds.push_back({connection.fd, POLLIN, 0});

    if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) break;

    if (fds[0].revents != 0) {
      char drain[64];
      while (read(wake_fds_[0], drain, sizeof(drain)) > 0) {
      }
    }
    std::vector<Connection> still_open;
    for (size_t i = 0; i < connections.size(); ++i) {
      Connection& connection = connections[i];
      if (fds[first_connection + i].revents != 0 && !ReadMore(connection.bytes, connection.fd)) {
        Store(connection);
        close(connection.fd);
        continue;
      }
      still_open.push_back(std::move(connection));
    }
    for (size_t i = 0; i < listening.size(); ++i) {
      if (fds[1 + i].revents == 0) continue;
      int fd = accept4(fds[1 + i].fd, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd >= 0) still_open.push_back({listening[i], fd, {}});
    }
    connections = std::move(still_open);
  }
  for (Connection& connection : connections) close(connection.fd);
  std::lock_guard lock(mutex_);
  for (auto& [queue, printer] : printers_) close(printer.listen_fd);
  printers_.clear();
}

}  // namespace varnok::testing
