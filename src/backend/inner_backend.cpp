#include "backend/inner_backend.h"

#include <cups/backend.h>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace varnok {
namespace {

constexpr std::string_view kDefaultServerBin = "/usr/lib/cups";

// Label jobs are tens of megabytes: large reads and a large pipe keep the copy's system calls
// and the inner backend's wake-ups few.
constexpr std::size_t kCopyBuffer = 1 << 20;
constexpr int kPipeSize = 1 << 20;
// Far less than the inner backend takes to send a full pipe.
constexpr useconds_t kTopUpMicroseconds = 500;

// How long messages wait to be passed on with the next ones (the pipe holds far more).
constexpr int kBatchMilliseconds = 5;

// A message line longer than this is kept cut (the scheduler's own limit is 2047 bytes).
constexpr std::size_t kLongestMessage = 2048;

std::atomic<pid_t> inner_pid{0};
volatile sig_atomic_t told_to_stop = 0;

static_assert(std::atomic<pid_t>::is_always_lock_free);

extern "C" void PassOnStop(int /*signal*/) {
  told_to_stop = 1;
  if (const pid_t pid = inner_pid.load(); pid > 0) kill(pid, SIGTERM);
}

[[noreturn]] void ThrowErrno(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

bool IsSchemeCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
         c == '-' || c == '.';
}

// Writes everything; false when the reader has gone (the inner backend ended).
bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Hands the head and then the rest of standard input to the pipe `fd`; returns the bytes handed.
std::int64_t CopyJob(std::string_view head, int fd) {
  if (!WriteAll(fd, head.data(), head.size())) return 0;
  std::int64_t size = static_cast<std::int64_t>(head.size());
  // The kernel moves a file's or a pipe's pages to the pipe without copying them through here.
  // A full pipe wakes its writer at each read of the inner backend (the socket backend reads
  // 8 KiB at a time): a big one is topped up after it has drained for a while instead.
  const bool big_pipe = fcntl(fd, F_GETPIPE_SZ) >= kPipeSize;
  for (;;) {
    const ssize_t moved = splice(STDIN_FILENO, nullptr, fd, nullptr, kCopyBuffer,
                                 SPLICE_F_MOVE | (big_pipe ? SPLICE_F_NONBLOCK : 0));
    if (moved < 0 && errno == EAGAIN) {
      pollfd input{STDIN_FILENO, POLLIN, 0};
      if (poll(&input, 1, 0) == 0) {
        poll(&input, 1, -1);  // nothing to move yet (a filter before this is still working)
      } else {
        usleep(kTopUpMicroseconds);  // the pipe is full
      }
      continue;
    }
    if (moved < 0 && errno == EINTR) continue;
    if (moved < 0 && errno == EINVAL) break;  // standard input that cannot be spliced
    if (moved <= 0) return size;
    size += moved;
  }
  // Not cleared: a small job touches one page of it.
  const std::unique_ptr<char[]> buffer(new char[kCopyBuffer]);
  for (;;) {
    const ssize_t got = read(STDIN_FILENO, buffer.get(), kCopyBuffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return size;
    if (!WriteAll(fd, buffer.get(), static_cast<std::size_t>(got))) return size;
    size += got;
  }
}

// A scheduler message's text without its level ("ERROR: No paper" → "No paper"); nothing for
// the lines that are no message to a person (debugging, attributes, states, pages).
std::optional<std::string_view> MessageText(std::string_view line) {
  const std::size_t colon = line.find(": ");
  if (colon == std::string_view::npos) return line.empty() ? std::nullopt : std::optional(line);
  const std::string_view level = line.substr(0, colon);
  for (const std::string_view no_message : {"DEBUG", "DEBUG2", "ATTR", "STATE", "PAGE", "PPD"}) {
    if (level == no_message) return std::nullopt;
  }
  return line.substr(colon + 2);
}

// Passes the inner backend's messages through unchanged, keeping the last one. A backend that
// says something for every few kilobytes it sends (the socket backend does) would wake this
// thousands of times a second: it takes them in batches, waking at most every
// kBatchMilliseconds, until `ended` is readable.
void RelayMessages(int fd, int ended, std::string& last_message) {
  std::string line;
  const std::unique_ptr<char[]> buffer(new char[kPipeSize]);
  for (;;) {
    const ssize_t got = read(fd, buffer.get(), kPipeSize);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    WriteAll(STDERR_FILENO, buffer.get(), static_cast<std::size_t>(got));
    for (const char c : std::string_view(buffer.get(), static_cast<std::size_t>(got))) {
      if (c != '\n') {
        if (line.size() < kLongestMessage) line += c;
        continue;
      }
      if (const auto text = MessageText(line)) last_message = *text;
      line.clear();
    }
    pollfd end{ended, POLLIN, 0};
    poll(&end, 1, kBatchMilliseconds);
  }
  if (const auto text = MessageText(line)) last_message = *text;
}

// The account the scheduler runs a world-readable backend as, when this process runs as root
// (a backend the scheduler runs as root is kept so).
struct Account {
  uid_t uid;
  gid_t gid;
};

std::optional<Account> AccountFor(const std::string& program) {
  struct stat file {};
  if (geteuid() != 0 || stat(program.c_str(), &file) != 0) return std::nullopt;
  if ((file.st_mode & (S_IROTH | S_IXOTH)) != (S_IROTH | S_IXOTH)) return std::nullopt;
  const passwd* lp = getpwnam("lp");
  if (lp == nullptr) throw std::runtime_error("there is no user lp to run " + program + " as");
  return Account{lp->pw_uid, lp->pw_gid};
}

// In the child: becomes the inner backend, or ends with a message.
[[noreturn]] void BecomeInner(const InnerRun& run, const std::optional<Account>& account,
                              pid_t parent, int data_fd, int message_fd, const sigset_t& mask) {
  signal(SIGPIPE, SIG_DFL);
  signal(SIGTERM, SIG_DFL);
  sigprocmask(SIG_SETMASK, &mask, nullptr);
  if ((data_fd >= 0 && dup2(data_fd, STDIN_FILENO) < 0) || dup2(message_fd, STDERR_FILENO) < 0) {
    _exit(CUPS_BACKEND_FAILED);
  }
  if (account && (setgroups(1, &account->gid) != 0 || setgid(account->gid) != 0 ||
                  setuid(account->uid) != 0)) {
    std::fprintf(stderr, "ERROR: Cannot run %s as the user lp: %s\n", run.program.c_str(),
                 std::strerror(errno));
    _exit(CUPS_BACKEND_FAILED);
  }
  // Killed (the scheduler kills a backend that outlives a cancel), this takes the inner backend
  // with it, as the scheduler would have killed that itself. Set after the change of user, which
  // clears it.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(CUPS_BACKEND_FAILED);  // killed before that
  setenv("DEVICE_URI", run.device_uri.c_str(), 1);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(run.device_uri.c_str()));
  for (const std::string& argument : run.arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  execv(run.program.c_str(), argv.data());
  std::fprintf(stderr, "ERROR: Cannot run %s: %s\n", run.program.c_str(), std::strerror(errno));
  _exit(CUPS_BACKEND_FAILED);
}

}  // namespace

std::optional<std::string> InnerBackendProgram(std::string_view device_uri) {
  const std::size_t colon = device_uri.find(':');
  if (colon == 0 || colon == std::string_view::npos) return std::nullopt;
  const std::string_view scheme = device_uri.substr(0, colon);
  for (const char c : scheme) {
    if (!IsSchemeCharacter(c)) return std::nullopt;
  }
  const char* server_bin = std::getenv("CUPS_SERVERBIN");
  const std::string folder =
      server_bin != nullptr && *server_bin != '\0' ? server_bin : std::string(kDefaultServerBin);
  return folder + "/backend/" + std::string(scheme);
}

InnerEnd RunInnerBackend(const InnerRun& run) {
  const bool from_input = run.arguments.size() < 6;
  const std::optional<Account> account = AccountFor(run.program);
  int data[2] = {-1, -1};
  int messages[2] = {-1, -1};
  int ended[2] = {-1, -1};
  if ((from_input && pipe2(data, O_CLOEXEC) != 0) || pipe2(messages, O_CLOEXEC) != 0 ||
      pipe2(ended, O_CLOEXEC) != 0) {
    ThrowErrno("pipe");
  }
  // Smaller pipes still work.
  if (from_input) fcntl(data[1], F_SETPIPE_SZ, kPipeSize);
  fcntl(messages[1], F_SETPIPE_SZ, kPipeSize);

  // SIGTERM waits until the inner backend's pid is known to the handler.
  sigset_t stop;
  sigset_t before;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTERM);
  sigprocmask(SIG_BLOCK, &stop, &before);
  // A write to an inner backend that has ended fails instead of ending this process.
  signal(SIGPIPE, SIG_IGN);
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid < 0) {
    sigprocmask(SIG_SETMASK, &before, nullptr);
    ThrowErrno("fork");
  }
  if (pid == 0) BecomeInner(run, account, parent, data[0], messages[1], before);
  inner_pid = pid;
  struct sigaction pass_on {};
  pass_on.sa_handler = PassOnStop;
  pass_on.sa_flags = SA_RESTART;
  sigemptyset(&pass_on.sa_mask);
  sigaction(SIGTERM, &pass_on, nullptr);
  sigprocmask(SIG_SETMASK, &before, nullptr);

  close(messages[1]);
  InnerEnd end;
  std::thread relay([&] { RelayMessages(messages[0], ended[0], end.last_message); });
  if (from_input) {
    close(data[0]);
    end.size = CopyJob(run.head, data[1]);
    close(data[1]);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  close(ended[1]);  // its last messages wait no longer
  relay.join();
  close(messages[0]);
  close(ended[0]);
  if (WIFSIGNALED(status)) end.signal = WTERMSIG(status);
  end.status = WIFEXITED(status) ? WEXITSTATUS(status) : 0;
  end.told_to_stop = told_to_stop != 0;
  return end;
}

}  // namespace varnok
