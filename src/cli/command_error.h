#pragma once

#include <stdexcept>

namespace varnok::cli {

// The program's exit statuses.
enum class ExitStatus { Ok = 0, Failed = 1, Usage = 2 };

// Bad input found before anything was asked of the print server: exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The print server refused or failed what was asked: exit status 1.
class ServerError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace varnok::cli
