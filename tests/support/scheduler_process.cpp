#include "support/scheduler_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

namespace varnok::testing {
namespace {

using namespace std::chrono_literals;

constexpr const char* kCupsd = "/usr/sbin/cupsd";
constexpr auto kStartTimeout = 15s;
constexpr auto kStopTimeout = 5s;
constexpr auto kPollInterval = 5ms;

std::string FileText(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Whether the child has ended; reaps it when it has.
bool Ended(pid_t pid) {
  int status = 0;
  return waitpid(pid, &status, WNOHANG) == pid;
}

}  // namespace

void SchedulerProcess::Start() {
  if (pid_ > 0) return;
  const std::string conf = folders_.SchedulerConf().string();
  const std::string files = folders_.FilesConf().string();
  const std::string output = folders_.SchedulerOutput().string();
  std::vector<char*> argv = {const_cast<char*>(kCupsd),
                             const_cast<char*>("-f"),
                             const_cast<char*>("-c"),
                             const_cast<char*>(conf.c_str()),
                             const_cast<char*>("-s"),
                             const_cast<char*>(files.c_str()),
                             nullptr};
  std::filesystem::remove(folders_.Socket());
  const pid_t parent = getpid();

  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);
    setpgid(0, 0);  // a Ctrl-C meant for the caller does not reach the scheduler directly
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    int null_fd = open("/dev/null", O_RDONLY);
    int out_fd = open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (null_fd >= 0) dup2(null_fd, STDIN_FILENO);
    if (out_fd >= 0) {
      dup2(out_fd, STDOUT_FILENO);
      dup2(out_fd, STDERR_FILENO);
    }
    execv(kCupsd, argv.data());
    _exit(127);
  }
  pid_ = pid;

  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  while (!AcceptsConnections()) {
    if (Ended(pid_)) {
      pid_ = -1;
      throw std::runtime_error("cupsd ended while starting:\n" + Logs());
    }
    if (std::chrono::steady_clock::now() > deadline) {
      Stop();
      throw std::runtime_error("cupsd did not start listening:\n" + Logs());
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

void SchedulerProcess::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + kStopTimeout;
  while (!Ended(pid_)) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      break;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  pid_ = -1;
}

void SchedulerProcess::Freeze() {
  if (pid_ > 0) kill(pid_, SIGSTOP);
}

void SchedulerProcess::Thaw() {
  if (pid_ > 0) kill(pid_, SIGCONT);
}

bool SchedulerProcess::AcceptsConnections() const {
  int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, folders_.Socket().c_str(), sizeof(address.sun_path) - 1);
  bool connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  close(fd);
  return connected;
}

std::string SchedulerProcess::Logs() const {
  return FileText(folders_.SchedulerOutput()) + FileText(folders_.ErrorLog()) +
         "(config errors before the log opens go to syslog; `cupsd -t -c " +
         folders_.SchedulerConf().string() + " -s " + folders_.FilesConf().string() +
         "` shows them)";
}

}  // namespace varnok::testing
