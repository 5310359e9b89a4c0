#include "printer/print_server_password.h"

namespace varnok {
namespace {

// Where this thread records that a password was wanted, while prompts are held back on it.
thread_local bool* password_wanted_here = nullptr;

}  // namespace

PrintServerPassword::PrintServerPassword(PasswordPrompt& prompt, Asking asking)
    : prompt_(prompt), asking_(asking) {}

std::optional<std::string> PrintServerPassword::Get(std::string_view user,
                                                    std::string_view server) {
  if (password_wanted_here != nullptr) {
    *password_wanted_here = true;
    return std::nullopt;
  }
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

NoPasswordPromptsHere::NoPasswordPromptsHere() : outer_(password_wanted_here) {
  password_wanted_here = &wanted_;
}

NoPasswordPromptsHere::~NoPasswordPromptsHere() { password_wanted_here = outer_; }

}  // namespace varnok
