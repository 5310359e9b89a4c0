#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "spooler/password_prompt.h"

namespace varnok {

// The one password every connection to the print server offers, on any thread. The first
// connection that needs it asks the prompt; others that need it meanwhile wait for that answer,
// and later ones take it without asking.
class PrintServerPassword {
 public:
  enum class Asking {
    Once,              // the first answer stands; once it is refused, none is offered any more
    AgainWhenRefused,  // a password not given, or refused, is asked for at the next need
  };

  PrintServerPassword(PasswordPrompt& prompt, Asking asking);

  // The password to offer, or nothing.
  std::optional<std::string> Get(std::string_view user, std::string_view server);
  // The print server turned the offered password down.
  void Refused();
  // Whether the last password offered was turned down and nothing else has been given since.
  bool WasRefused();

 private:
  PasswordPrompt& prompt_;
  const Asking asking_;
  std::mutex mutex_;  // held while the prompt asks, so that one answer serves every thread
  bool asked_ = false;
  bool refused_ = false;
  std::optional<std::string> password_;
};

}  // namespace varnok
