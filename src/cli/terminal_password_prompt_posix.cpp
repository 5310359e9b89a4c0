#include "cli/terminal_password_prompt.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include "cli/cli_texts.h"
#include "cli/terminal_text.h"
#include "foundation/message_template.h"

namespace varnok::cli {
namespace {

// libcups takes no longer password.
constexpr std::size_t kMostPasswordBytes = 255;

termios echoing;  // the terminal as it was, for the interrupt handler to put back

void PutTerminalBackAndStop(int signal_number) {
  tcsetattr(STDIN_FILENO, TCSANOW, &echoing);
  ::signal(signal_number, SIG_DFL);
  raise(signal_number);
}

// Echo off while it lives, also when Ctrl+C ends the program meanwhile.
class SilentTerminal {
 public:
  SilentTerminal() {
    tcgetattr(STDIN_FILENO, &echoing);
    struct sigaction stop {};
    stop.sa_handler = PutTerminalBackAndStop;
    sigaction(SIGINT, &stop, &previous_);
    termios silent = echoing;
    silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSANOW, &silent);
  }
  ~SilentTerminal() {
    tcsetattr(STDIN_FILENO, TCSANOW, &echoing);
    sigaction(SIGINT, &previous_, nullptr);
  }
  SilentTerminal(const SilentTerminal&) = delete;
  SilentTerminal& operator=(const SilentTerminal&) = delete;

 private:
  struct sigaction previous_ {};
};

}  // namespace

std::optional<std::string> TerminalPasswordPrompt::AskPassword(std::string_view user,
                                                               std::string_view server) {
  if (!isatty(STDIN_FILENO)) return std::nullopt;
  std::string password;
  {
    // Silent before the question shows, so that no answer typed at once is echoed.
    const SilentTerminal silent;
    terminal_ << Visible(FillIn(CliTextsIn(language_).password_prompt,
                                {{"user", user}, {"server", server}}))
              << std::flush;
    char c;
    while (read(STDIN_FILENO, &c, 1) == 1 && c != '\n' && c != '\r') {
      if (password.size() < kMostPasswordBytes) password += c;
    }
  }
  terminal_ << "\n" << std::flush;
  if (password.empty()) return std::nullopt;
  return password;
}

}  // namespace varnok::cli
