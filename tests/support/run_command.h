#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnok::testing {

struct CommandResult {
  int exit_code = -1;  // -1 when the program could not be started or was killed
  std::string output;  // standard output and standard error together, as they came
  std::string out;     // standard output alone
  std::string err;     // standard error alone
};

// Runs a program (looked up in PATH) to its end and collects what it printed.
CommandResult RunCommand(const std::vector<std::string>& argv);

// Runs a program as another user (with that user's group and no supplementary groups), in the
// same environment and folder; needs root. The program, the folders above it and the scheduler's
// socket must be reachable by that user. Throws std::runtime_error for an unknown user.
CommandResult RunCommandAs(const std::string& user, const std::vector<std::string>& argv);

// Runs a program to its end on a terminal of its own (a pseudo-terminal as its standard input,
// output and error) and types `answer` each time its output shows `prompt`. Sets output (all
// the terminal showed) and exit_code; a program still running after a minute is killed.
CommandResult RunInTerminal(const std::vector<std::string>& argv, std::string_view prompt,
                            std::string_view answer);

// A program running beside the test, its output discarded; killed if it still runs at the end.
class RunningCommand {
 public:
  explicit RunningCommand(const std::vector<std::string>& argv);
  ~RunningCommand();
  RunningCommand(const RunningCommand&) = delete;
  RunningCommand& operator=(const RunningCommand&) = delete;

  void Signal(int signal_number);
  // Waits for the end: the exit code, or -1 when it was killed or never started.
  int Wait();

 private:
  int pid_ = -1;
};

// Runs a program and throws std::runtime_error with its output when it does not succeed.
void RunOrThrow(const std::vector<std::string>& argv);

}  // namespace varnok::testing
