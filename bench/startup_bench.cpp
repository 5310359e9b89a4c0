// How long varnok-utility takes from its start until its window, with the configuration window
// inside, is on the screen, and how much memory it needs for that, beside a minimal Qt Widgets
// program (the floor) and the same program showing one line of Chinese text (the text floor).
// Measured from outside on a private X server (Xvfb): each start is timed until its main window is
// mapped and until its first frame is drawn. The program lists the queues of the standard virtual
// label printers at start-up, so their scheduler answers it; it is also started against a
// scheduler with one queue and one with a print server's 200, to show what each queue costs, and
// against a scheduler that takes connections but never answers, which it must not wait for.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "figures.h"
#include "support/loopback.h"
#include "support/virtual_printers.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int kStarts = 21;
constexpr int kManyQueues = 200;  // a print server's
constexpr int kWarmUpStarts = 2;
constexpr auto kShowTimeout = 30s;
constexpr auto kXServerTimeout = 15s;
constexpr auto kStopTimeout = 5s;
// After the first frame, so that the peak memory includes what follows right after showing.
constexpr auto kSettle = 300ms;
constexpr int kPatch = 8;  // side of the square in the window's middle tested for a first frame

struct Program {
  std::string name;  // in the figures
  std::vector<std::string> argv;
  std::string title;        // of its main window
  std::string cups_server;  // the scheduler it is pointed at (CUPS_SERVER)
};

struct Figures {
  double mapped_ms;
  double shown_ms;
  double peak_mib;
};

// An unnamed file that collects a child's output, shown when the child fails.
class OutputFile {
 public:
  OutputFile() {
    char pattern[] = "/tmp/startup-bench-XXXXXX";
    fd_ = mkostemp(pattern, O_CLOEXEC);
    if (fd_ < 0) throw std::runtime_error(std::string("mkostemp: ") + std::strerror(errno));
    unlink(pattern);
  }
  ~OutputFile() { close(fd_); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  int fd() const { return fd_; }
  void Clear() {
    if (ftruncate(fd_, 0) != 0 || lseek(fd_, 0, SEEK_SET) != 0) {
      throw std::runtime_error(std::string("clearing the output file: ") + std::strerror(errno));
    }
  }
  std::string Text() const {
    std::string text(64 * 1024, '\0');
    const ssize_t size = pread(fd_, text.data(), text.size(), 0);
    text.resize(size > 0 ? static_cast<size_t>(size) : 0);
    return text;
  }

 private:
  int fd_ = -1;
};

// This process's environment, with CUPS_SERVER set to the scheduler when one is given.
std::vector<std::string> Environment(const std::string& cups_server) {
  std::vector<std::string> variables;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    if (!cups_server.empty() && std::string_view(*variable).starts_with("CUPS_SERVER=")) continue;
    variables.emplace_back(*variable);
  }
  if (!cups_server.empty()) variables.push_back("CUPS_SERVER=" + cups_server);
  return variables;
}

// A started program, stopped (SIGTERM, then SIGKILL) at the latest when the object goes; it
// also ends when this process does.
class Child {
 public:
  Child(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
        int output_fd) {
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    std::vector<char*> variables;
    for (const std::string& variable : environment) {
      variables.push_back(const_cast<char*>(variable.c_str()));
    }
    variables.push_back(nullptr);
    const pid_t parent = getpid();
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (pid_ == 0) {
      // Only async-signal-safe calls between fork and exec.
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (getppid() != parent) _exit(127);
      const int null_fd = open("/dev/null", O_RDONLY);
      if (null_fd >= 0) dup2(null_fd, STDIN_FILENO);
      dup2(output_fd, STDOUT_FILENO);
      dup2(output_fd, STDERR_FILENO);
      execve(args[0], args.data(), variables.data());
      _exit(127);
    }
  }
  ~Child() {
    if (running()) Stop();
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  bool running() const { return pid_ > 0; }

  // True once the child has ended; it is reaped then.
  bool Ended() {
    if (running() && wait4(pid_, &status_, WNOHANG, &usage_) == pid_) pid_ = -1;
    return !running();
  }

  // Stops the child and returns its resource usage over its whole life.
  rusage Stop() {
    if (running()) kill(pid_, SIGTERM);
    const auto deadline = Clock::now() + kStopTimeout;
    while (!Ended() && Clock::now() < deadline) std::this_thread::sleep_for(2ms);
    if (running()) {
      kill(pid_, SIGKILL);
      wait4(pid_, &status_, 0, &usage_);
      pid_ = -1;
    }
    return usage_;
  }

  std::string HowItEnded() const {
    if (WIFEXITED(status_)) return "exited with status " + std::to_string(WEXITSTATUS(status_));
    if (WIFSIGNALED(status_)) return std::string("was killed by ") + strsignal(WTERMSIG(status_));
    return "ended";
  }

 private:
  pid_t pid_ = -1;
  int status_ = 0;
  rusage usage_{};
};

// A private X server, so that no window manager or desktop takes part in the timing.
class XServer {
 public:
  XServer() {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    fcntl(pipe_fds[0], F_SETFD, FD_CLOEXEC);  // only the writing end is for Xvfb
    // -br: a black root window, the background the first-frame test looks for.
    server_ = std::make_unique<Child>(
        std::vector<std::string>{"/usr/bin/Xvfb", "-displayfd", std::to_string(pipe_fds[1]),
                                 "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-br"},
        Environment(""), output_.fd());
    close(pipe_fds[1]);
    // Xvfb writes its display number once it accepts clients.
    std::string number;
    char byte = 0;
    pollfd ready{pipe_fds[0], POLLIN, 0};
    const auto deadline = Clock::now() + kXServerTimeout;
    while (Clock::now() < deadline && poll(&ready, 1, 100) >= 0) {
      if ((ready.revents & (POLLIN | POLLHUP)) == 0) continue;
      if (read(pipe_fds[0], &byte, 1) != 1 || byte == '\n') break;
      number += byte;
    }
    close(pipe_fds[0]);
    if (number.empty() || byte != '\n') {
      throw std::runtime_error("Xvfb gave no display number within " +
                               std::to_string(kXServerTimeout.count()) + " s:\n" + output_.Text());
    }
    name_ = ":" + number;
  }

  const std::string& name() const { return name_; }

 private:
  OutputFile output_;
  std::unique_ptr<Child> server_;
  std::string name_;
};

// A window can vanish between its event and a question about it; such errors mean "not it".
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

std::string WindowTitle(Display* x, Window window) {
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long left = 0;
  unsigned char* data = nullptr;
  const Atom name = XInternAtom(x, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(x, "UTF8_STRING", False);
  std::string title;
  if (XGetWindowProperty(x, window, name, 0, 1024, False, utf8, &type, &format, &items, &left,
                         &data) == Success &&
      data != nullptr) {
    title.assign(reinterpret_cast<char*>(data), items);
  }
  if (data != nullptr) XFree(data);
  return title;
}

// Whether anything but the black root shows in the middle of the window.
bool Drawn(Display* x, Window window) {
  XWindowAttributes attributes;
  if (XGetWindowAttributes(x, window, &attributes) == 0) return false;
  XImage* image = XGetImage(x, window, (attributes.width - kPatch) / 2,
                            (attributes.height - kPatch) / 2, kPatch, kPatch, AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  bool drawn = false;
  for (int row = 0; row < kPatch && !drawn; ++row) {
    for (int column = 0; column < kPatch && !drawn; ++column) {
      drawn = XGetPixel(image, column, row) != 0;
    }
  }
  XDestroyImage(image);
  return drawn;
}

class StartupTimer {
 public:
  explicit StartupTimer(const std::string& display_name)
      : x_(XOpenDisplay(display_name.c_str()), XCloseDisplay) {
    if (!x_) throw std::runtime_error("cannot open the X display " + display_name);
    XSetErrorHandler(IgnoreXError);
    XSelectInput(x_.get(), DefaultRootWindow(x_.get()), SubstructureNotifyMask);
  }

  Figures Measure(const Program& program) {
    XSync(x_.get(), True);  // forget the windows of earlier starts
    output_.Clear();
    const auto start = Clock::now();
    const auto deadline = start + kShowTimeout;
    Child child(program.argv, Environment(program.cups_server), output_.fd());

    const Window window = WaitForMap(program, child, deadline);
    const Milliseconds mapped = Clock::now() - start;
    while (!Drawn(x_.get(), window)) Pause(program, child, deadline, "drawing");
    const Milliseconds shown = Clock::now() - start;

    std::this_thread::sleep_for(kSettle);
    if (child.Ended()) throw Failure(program, child, "ended while it was shown");
    const rusage usage = child.Stop();
    return {mapped.count(), shown.count(), static_cast<double>(usage.ru_maxrss) / 1024};
  }

 private:
  Window WaitForMap(const Program& program, Child& child, Clock::time_point deadline) {
    for (;;) {
      while (XPending(x_.get()) > 0) {
        XEvent event;
        XNextEvent(x_.get(), &event);
        if (event.type == MapNotify && WindowTitle(x_.get(), event.xmap.window) == program.title) {
          return event.xmap.window;
        }
      }
      Pause(program, child, deadline, "mapping");
    }
  }

  // A short wait for the X server, or a failure when the child has ended or takes too long.
  void Pause(const Program& program, Child& child, Clock::time_point deadline,
             const char* awaited) {
    if (child.Ended()) throw Failure(program, child, "ended before showing its window");
    if (Clock::now() > deadline) {
      throw std::runtime_error(program.name + " was still " + awaited + " its window \"" +
                               program.title + "\" after " + std::to_string(kShowTimeout.count()) +
                               " s; its output:\n" + output_.Text());
    }
    pollfd events{ConnectionNumber(x_.get()), POLLIN, 0};
    poll(&events, 1, 1);
  }

  std::runtime_error Failure(const Program& program, const Child& child, const char* what) {
    return std::runtime_error(program.name + " " + child.HowItEnded() + " (" + what +
                              "); its output:\n" + output_.Text());
  }

  std::unique_ptr<Display, int (*)(Display*)> x_;
  OutputFile output_;
};

Figures Medians(const std::vector<Figures>& starts) {
  std::vector<double> mapped, shown, peak;
  for (const Figures& figures : starts) {
    mapped.push_back(figures.mapped_ms);
    shown.push_back(figures.shown_ms);
    peak.push_back(figures.peak_mib);
  }
  return {varnok::bench::Median(mapped), varnok::bench::Median(shown), varnok::bench::Median(peak)};
}

}  // namespace

int main() try {
  using varnok::testing::VirtualPrinters;
  const fs::path bin = fs::read_symlink("/proc/self/exe").parent_path();
  for (const char* name : {"varnok-utility", "startup_floor"}) {
    if (!fs::exists(bin / name)) throw std::runtime_error((bin / name).string() + " is missing");
  }
  const std::string floor = (bin / "startup_floor").string();
  const std::string utility = (bin / "varnok-utility").string();
  const std::string title = "VARNOK Printer Utility 2.20";
  const auto standard = VirtualPrinters::Start(VirtualPrinters::StandardQueues());
  const auto one_queue = VirtualPrinters::Start({VirtualPrinters::StandardQueues().front()});
  const auto print_server = VirtualPrinters::Start(VirtualPrinters::PrintServerQueues(kManyQueues));
  int silent_port = 0;
  const int silent_scheduler = varnok::testing::OpenLoopbackListener(silent_port);
  // Room for every start's connection, none of which is ever taken: a full backlog would refuse
  // the next ones instead of leaving them unanswered.
  listen(silent_scheduler, 1024);
  // The goals compare with the text floor, what any window pays for showing Chinese at all; the
  // empty floor is kept for reference. The program against itself shows what each queue costs.
  const std::vector<Program> programs = {
      {"varnok-utility", {utility}, title, standard->ServerSocket()},
      {"1 queue", {utility}, title, one_queue->ServerSocket()},
      {std::to_string(kManyQueues) + " queues", {utility}, title, print_server->ServerSocket()},
      {"silent scheduler", {utility}, title, "127.0.0.1:" + std::to_string(silent_port)},
      {"floor", {floor}, "Start-up floor", ""},
      {"text floor", {floor, "1、首先请确认您已经正确的安装了打印机驱动。"}, "Start-up floor", ""},
  };
  constexpr size_t kOneQueue = 1;
  constexpr size_t kManyQueuesRun = 2;
  constexpr size_t kSilentRun = 3;
  constexpr size_t kFloors = 4;

  const XServer server;
  // The programs draw on this server even when started from a Wayland session.
  setenv("DISPLAY", server.name().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  unsetenv("WAYLAND_DISPLAY");
  StartupTimer timer(server.name());

  const std::string load_before = varnok::bench::LoadAverage();
  std::vector<std::vector<Figures>> starts(programs.size());
  // By turns, so that any drift of the machine touches all alike.
  for (int i = 0; i < kWarmUpStarts + kStarts; ++i) {
    for (size_t p = 0; p < programs.size(); ++p) {
      const Figures figures = timer.Measure(programs[p]);
      if (i >= kWarmUpStarts) starts[p].push_back(figures);
    }
  }

  std::printf(
      "starts each: %d, by turns (after %d warm-up starts); Xvfb; %zu standard virtual printers, "
      "and schedulers with 1 and %d queues\n",
      kStarts, kWarmUpStarts, VirtualPrinters::StandardQueues().size(), kManyQueues);
  std::printf("load average (1 min): %s before, %s after\n", load_before.c_str(),
              varnok::bench::LoadAverage().c_str());
  std::vector<Figures> medians;
  for (const std::vector<Figures>& program_starts : starts) {
    medians.push_back(Medians(program_starts));
  }
  std::printf("medians                  window mapped     first frame        peak RSS\n");
  for (size_t p = 0; p < programs.size(); ++p) {
    std::printf("%-20s %11.1f ms  %11.1f ms  %10.1f MiB\n", programs[p].name.c_str(),
                medians[p].mapped_ms, medians[p].shown_ms, medians[p].peak_mib);
  }
  const auto print_ratio = [&](const std::string& label, size_t program, size_t base) {
    std::printf("%-20s %14.2f  %14.2f  %14.2f\n", label.c_str(),
                medians[program].mapped_ms / medians[base].mapped_ms,
                medians[program].shown_ms / medians[base].shown_ms,
                medians[program].peak_mib / medians[base].peak_mib);
  };
  for (size_t p = kFloors; p < programs.size(); ++p) {
    print_ratio("ratio to " + programs[p].name, 0, p);
  }
  print_ratio(programs[kManyQueuesRun].name + " / 1", kManyQueuesRun, kOneQueue);
  print_ratio(programs[kSilentRun].name + " / 1", kSilentRun, kOneQueue);
  std::printf(
      "goals: first frame and peak RSS ratio to the text floor <= 1.5; first frame with %d "
      "queues <= 1.2 x with 1; with a silent scheduler no later than with one queue\n",
      kManyQueues);
  close(silent_scheduler);
  return 0;
} catch (const std::exception& error) {
  std::fprintf(stderr, "startup_bench: %s\n", error.what());
  return 1;
}
