#include "cli/terminal_password_prompt.h"

namespace varnok::cli {

// The Windows spooler signs in to shared printers with the user's Windows account and never
// asks for a password.
std::optional<std::string> TerminalPasswordPrompt::AskPassword(std::string_view /*user*/,
                                                               std::string_view /*server*/) {
  return std::nullopt;
}

}  // namespace varnok::cli
