#include "support/run_command.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace varnok::testing {
namespace {

std::string CommandLine(const std::vector<std::string>& argv) {
  std::string line;
  for (const std::string& word : argv) line += (line.empty() ? "" : " ") + word;
  return line;
}

}  // namespace

CommandResult RunCommand(const std::vector<std::string>& argv) {
  CommandResult result;
  int out_fds[2];
  int err_fds[2];
  if (pipe2(out_fds, O_CLOEXEC) != 0 || pipe2(err_fds, O_CLOEXEC) != 0) {
    result.output = std::string("pipe: ") + std::strerror(errno);
    return result;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out_fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err_fds[1], STDERR_FILENO);

  std::vector<char*> args;
  for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
  args.push_back(nullptr);

  pid_t pid = -1;
  int spawn_error = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out_fds[1]);
  close(err_fds[1]);
  if (spawn_error != 0) {
    close(out_fds[0]);
    close(err_fds[0]);
    result.output = argv[0] + ": " + std::strerror(spawn_error);
    return result;
  }

  pollfd streams[2] = {{out_fds[0], POLLIN, 0}, {err_fds[0], POLLIN, 0}};
  std::string* texts[2] = {&result.out, &result.err};
  char buffer[4096];
  int open_streams = 2;
  while (open_streams > 0) {
    if (poll(streams, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (streams[i].revents == 0) continue;
      const ssize_t count = read(streams[i].fd, buffer, sizeof(buffer));
      if (count > 0) {
        texts[i]->append(buffer, static_cast<size_t>(count));
        result.output.append(buffer, static_cast<size_t>(count));
      } else if (count == 0 || errno != EINTR) {
        streams[i].fd = -1;  // poll passes over it from now on
        --open_streams;
      }
    }
  }
  close(out_fds[0]);
  close(err_fds[0]);

  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  return result;
}

CommandResult RunCommandAs(const std::string& user, const std::vector<std::string>& argv) {
  const passwd* account = getpwnam(user.c_str());
  if (account == nullptr) throw std::runtime_error("no user " + user);
  std::vector<std::string> command = {"setpriv", "--reuid=" + std::to_string(account->pw_uid),
                                      "--regid=" + std::to_string(account->pw_gid),
                                      "--clear-groups", "--"};
  command.insert(command.end(), argv.begin(), argv.end());
  return RunCommand(command);
}

CommandResult RunInTerminal(const std::vector<std::string>& argv, std::string_view prompt,
                            std::string_view answer) {
  constexpr int kHangMilliseconds = 60'000;
  CommandResult result;
  std::vector<char*> args;
  for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
  args.push_back(nullptr);
  int terminal = -1;
  const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (pid < 0) {
    result.output = std::string("forkpty: ") + std::strerror(errno);
    return result;
  }
  if (pid == 0) {
    execvp(args[0], args.data());
    _exit(127);
  }
  std::size_t answered = 0;  // the prompts before this place in the output have been answered
  char buffer[4096];
  for (pollfd waiting{terminal, POLLIN, 0}; poll(&waiting, 1, kHangMilliseconds) > 0;) {
    const ssize_t count = read(terminal, buffer, sizeof(buffer));
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;  // the program has closed the terminal
    result.output.append(buffer, static_cast<size_t>(count));
    for (std::size_t at; (at = result.output.find(prompt, answered)) != std::string::npos;) {
      [[maybe_unused]] const ssize_t typed = write(terminal, answer.data(), answer.size());
      answered = at + prompt.size();
    }
  }
  kill(pid, SIGKILL);  // when it hung; harmless once it has ended
  close(terminal);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
  return result;
}

RunningCommand::RunningCommand(const std::vector<std::string>& argv) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> args;
  for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
  args.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) pid_ = pid;
  posix_spawn_file_actions_destroy(&actions);
}

RunningCommand::~RunningCommand() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  Wait();
}

void RunningCommand::Signal(int signal_number) {
  if (pid_ > 0) kill(pid_, signal_number);
}

int RunningCommand::Wait() {
  if (pid_ <= 0) return -1;
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void RunOrThrow(const std::vector<std::string>& argv) {
  CommandResult result = RunCommand(argv);
  if (result.exit_code != 0) {
    throw std::runtime_error(CommandLine(argv) + " failed (exit " +
                             std::to_string(result.exit_code) + "): " + result.output);
  }
}

}  // namespace varnok::testing
