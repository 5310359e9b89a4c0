#include "spooler/print_server_password.h"

namespace varnok {
PrintServerPassword::PrintServerPassword(PasswordPrompt& prompt, Asking asking)
    : prompt_(prompt), asking_(asking) {}

std::optional<std::string> PrintServerPassword::Get(std::string_view user,
                                                    std::string_view server) {
  std::lock_guard lock(mutex_);
  if (password_ || (asked_ && asking_ == Asking::Once)) return password_;
  asked_ = true;
  refused_ = false;
  password_ = prompt_.AskPassword(user, server);
  return password_;
}

void PrintServerPassword::Refused() {
  std::lock_guard lock(mutex_);
  password_.reset();
  refused_ = true;
}

bool PrintServerPassword::WasRefused() {
  std::lock_guard lock(mutex_);
  return refused_;
}

}  // namespace varnok
