#pragma once

#include <ostream>

#include "foundation/language.h"
#include "spooler/password_prompt.h"

namespace varnok::cli {

// Asks on the terminal of standard input, without echo, the question on `terminal`, in the
// run's language. Without a terminal on standard input it asks nothing and gives no password.
// An empty answer, or the end of input, gives none either.
class TerminalPasswordPrompt final : public PasswordPrompt {
 public:
  TerminalPasswordPrompt(std::ostream& terminal, Language language)
      : terminal_(terminal), language_(language) {}
  std::optional<std::string> AskPassword(std::string_view user, std::string_view server) override;

 private:
  std::ostream& terminal_;
  Language language_;
};

}  // namespace varnok::cli
