#pragma once

#include <ostream>

#include "printer/password_prompt.h"

namespace varnok::cli {

// Asks on the terminal of standard input, without echo, the question on `terminal`. Without a
// terminal on standard input it asks nothing and gives no password. An empty answer, or the end
// of input, gives none either.
class TerminalPasswordPrompt final : public PasswordPrompt {
 public:
  explicit TerminalPasswordPrompt(std::ostream& terminal) : terminal_(terminal) {}
  std::optional<std::string> AskPassword(std::string_view user, std::string_view server) override;

 private:
  std::ostream& terminal_;
};

}  // namespace varnok::cli
