// The journaling backend's cost: a 64 MiB label job through varnok:socket:// against the system's
// socket backend alone to the same listener (throughput), and the time it adds to a small
// settings job, each from the start of the backend until the listener has the last byte and the
// backend has ended (the scheduler's job ends there). The
// backends are run as the scheduler runs them, the job on their standard input (as a filtered
// job reaches them) or as a file (as a raw queue's job does).
#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "figures.h"
#include "printer_settings/command_protocol.h"
#include "support/loopback.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

constexpr std::size_t kLabelJob = std::size_t{64} << 20;
constexpr int kLabelRuns = 9;
constexpr int kSmallRuns = 25;
constexpr const char* kSystemBackends = "/usr/lib/cups";

extern "C" char** environ;

// Takes one connection at a time and counts its bytes; the count is handed over when the
// sender closes.
class Listener {
 public:
  Listener() : fd_(varnok::testing::OpenLoopbackListener(port_)), thread_([this] { Serve(); }) {}
  ~Listener() {
    shutdown(fd_, SHUT_RDWR);
    close(fd_);
    thread_.join();
  }
  int port() const { return port_; }

  // The bytes of the next connection, once it has closed.
  std::size_t NextJob() {
    std::unique_lock lock(mutex_);
    received_.wait(lock, [&] { return !jobs_.empty(); });
    const std::size_t size = jobs_.front();
    jobs_.erase(jobs_.begin());
    return size;
  }

 private:
  void Serve() {
    std::vector<char> buffer(1 << 20);
    for (;;) {
      const int connection = accept(fd_, nullptr, nullptr);
      if (connection < 0) return;
      std::size_t size = 0;
      for (ssize_t got; (got = read(connection, buffer.data(), buffer.size())) > 0;) {
        size += static_cast<std::size_t>(got);
      }
      close(connection);
      std::lock_guard lock(mutex_);
      jobs_.push_back(size);
      received_.notify_one();
    }
  }

  int port_ = 0;
  int fd_;
  std::mutex mutex_;
  std::condition_variable received_;
  std::vector<std::size_t> jobs_;
  std::thread thread_;
};

// The scheduler's side channel, which the socket backend waits on with the job's data (the
// back channel, descriptor 3, is not read).
int SideChannel() {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
    throw std::runtime_error("no side channel");
  }
  return ends[1];  // the scheduler's end stays open, unused
}

// How the job reaches the backend, and where its messages go: to a pipe read as they come, as
// the scheduler reads them, or to /dev/null, which costs the socket backend's message for every
// 8 KiB it sends nothing.
struct Way {
  bool on_input;
  bool messages_read;
};

// Runs a backend for one job and returns the seconds until the listener has all of it and the
// backend has ended.
double RunJob(Listener& listener, const std::string& program, const std::string& device_uri,
              const std::string& file, Way way) {
  const bool on_input = way.on_input;
  std::vector<std::string> arguments = {device_uri, "1", "bench", "label", "1", ""};
  if (!on_input) arguments.push_back(file);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  setenv("DEVICE_URI", device_uri.c_str(), 1);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, on_input ? file.c_str() : "/dev/null",
                                   O_RDONLY, 0);
  int messages[2];
  if (pipe2(messages, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
  if (way.messages_read) {
    posix_spawn_file_actions_adddup2(&actions, messages[1], STDERR_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  }
  posix_spawn_file_actions_addopen(&actions, 3, "/dev/null", O_WRONLY, 0);
  static const int side_channel = SideChannel();
  posix_spawn_file_actions_adddup2(&actions, side_channel, 4);
  const auto start = Clock::now();
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(messages[1]);
  if (failed != 0) throw std::runtime_error("cannot run " + program);
  std::thread scheduler([&] {
    char line[4096];
    while (read(messages[0], line, sizeof line) > 0) {
    }
  });
  const std::size_t received = listener.NextJob();
  int status = 0;
  waitpid(pid, &status, 0);
  const Seconds elapsed = Clock::now() - start;
  scheduler.join();
  close(messages[0]);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || received != fs::file_size(file)) {
    throw std::runtime_error(program + " did not deliver the job");
  }
  return elapsed.count();
}

struct Pair {
  double plain;
  double journaled;
};

// Medians of alternating runs, so that a change in the machine's load meets both alike.
Pair Measure(Listener& listener, const std::string& backend, const std::string& file, Way way,
             int runs) {
  const std::string plain_uri =
      "socket://127.0.0.1:" + std::to_string(listener.port()) + "/?snmp=false";
  std::vector<double> plain;
  std::vector<double> journaled;
  RunJob(listener, std::string(kSystemBackends) + "/backend/socket", plain_uri, file, way);
  for (int run = 0; run < runs; ++run) {
    plain.push_back(
        RunJob(listener, std::string(kSystemBackends) + "/backend/socket", plain_uri, file, way));
    journaled.push_back(RunJob(listener, backend, "varnok:" + plain_uri, file, way));
  }
  return {varnok::bench::Median(plain), varnok::bench::Median(journaled)};
}

}  // namespace

int main() try {
  varnok::testing::TempFolder folder;
  // The inner backend may run as lp: it reads the job's file.
  fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read |
                                     fs::perms::others_exec);
  setenv("CUPS_SERVERBIN", kSystemBackends, 1);
  setenv("VARNOK_JOURNAL", folder.File("journal.sqlite").c_str(), 1);
  setenv("PRINTER", "VARNOK_Bench", 1);

  std::string label(kLabelJob, '\0');
  for (std::size_t i = 0; i < label.size(); ++i)
    label[i] = static_cast<char>("^XA0123456789^XZ\n"[i % 17]);
  const std::string label_file = folder.Write("label.prn", label);
  label.clear();
  const std::string settings_file =
      folder.Write("settings.prn", varnok::BuildSettingCommand("#UM>FD", "12") +
                                       varnok::BuildSettingCommand("#UM>DI1"));
  for (const std::string& file : {label_file, settings_file}) {
    fs::permissions(file, fs::perms::others_read, fs::perm_options::add);
  }

  Listener listener;
  std::printf("backend: %s, load %s\n", VARNOK_BACKEND_PROGRAM,
              varnok::bench::LoadAverage().c_str());
  for (const bool on_input : {true, false}) {
    const char* how = on_input ? "on standard input" : "as a file";
    for (const bool messages_read : {true, false}) {
      const Pair label_times = Measure(listener, VARNOK_BACKEND_PROGRAM, label_file,
                                       {on_input, messages_read}, kLabelRuns);
      const double mebibytes = static_cast<double>(kLabelJob) / (1 << 20);
      std::printf(
          "64 MiB label job %s, messages %s: socket %.0f MiB/s, varnok:socket %.0f MiB/s, "
          "ratio %.3f (medians of %d)\n",
          how, messages_read ? "read" : "to /dev/null", mebibytes / label_times.plain,
          mebibytes / label_times.journaled, label_times.plain / label_times.journaled, kLabelRuns);
    }
    const Pair small_times =
        Measure(listener, VARNOK_BACKEND_PROGRAM, settings_file, {on_input, true}, kSmallRuns);
    std::printf(
        "settings job %s: socket %.1f ms, varnok:socket %.1f ms, added %.1f ms (medians of %d)\n",
        how, small_times.plain * 1000, small_times.journaled * 1000,
        (small_times.journaled - small_times.plain) * 1000, kSmallRuns);
  }
  std::printf("load %s\n", varnok::bench::LoadAverage().c_str());
  return 0;
} catch (const std::exception& error) {
  std::fprintf(stderr, "backend_bench: %s\n", error.what());
  return 1;
}
