#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnok {

// Asks the user for a print server's password: a dialog in the windows, the terminal in
// varnok-printer. Printer access never asks on a terminal by itself.
class PasswordPrompt {
 public:
  virtual ~PasswordPrompt() = default;
  // The password of `user` on the print server `server`, or nothing when the user gives none.
  virtual std::optional<std::string> AskPassword(std::string_view user,
                                                 std::string_view server) = 0;
};

}  // namespace varnok
