#pragma once

#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace varnok {

// The print server wanted a password that it did not get.
struct PasswordWanted {
  std::string user;
  std::string server;
  bool refused = false;  // one was given, and the server turned it down

  friend bool operator==(const PasswordWanted&, const PasswordWanted&) = default;
};

// Where a queue description request failed; each picks its own message for the user.
enum class DescribeFailure {
  CannotOpen,             // no such queue, or the spooler cannot be reached
  SizeQueryFailed,        // the spooler answered, but not with a description at all
  DescriptionUnreadable,  // the queue exists, but its attributes could not be read
};

// What the spooler said when something failed: its status code (for CUPS, the IPP status,
// e.g. 1030 for a queue that does not exist) and its own explanation.
struct SpoolerFailure {
  int status = 0;
  std::string reason;
  bool no_answer = false;    // the spooler took the request but did not answer in time
  bool unreachable = false;  // no connection to the spooler could be made
  std::optional<PasswordWanted> password = std::nullopt;   // the server wanted one it did not get
  DescribeFailure describe = DescribeFailure::CannotOpen;  // only a queue description sets it

  friend bool operator==(const SpoolerFailure&, const SpoolerFailure&) = default;
};

// What every call to the print system gives back: its value, or why there is none. Shaped like
// C++23's std::expected<T, SpoolerFailure> (ok() for has_value(), failure() for error()), which
// g++ 12 lacks. Reading the side that is not there throws.
template <class T>
class [[nodiscard]] SpoolerResult {
 public:
  SpoolerResult() requires std::is_default_constructible_v<T> : state_(std::in_place_index<0>) {}
  template <class U = T>
  requires(std::is_constructible_v<T, U> &&
           !std::is_same_v<std::remove_cvref_t<U>, SpoolerResult> &&
           !std::is_same_v<std::remove_cvref_t<U>,
                           SpoolerFailure>) explicit(!std::is_convertible_v<U, T>)
      SpoolerResult(U&& value)
      : state_(std::in_place_index<0>, std::forward<U>(value)) {}
  SpoolerResult(SpoolerFailure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  const SpoolerFailure& failure() const { return std::get<1>(state_); }

 private:
  std::variant<T, SpoolerFailure> state_;
};

// A call that gives nothing back but whether it succeeded.
template <>
class [[nodiscard]] SpoolerResult<void> {
 public:
  SpoolerResult() = default;
  SpoolerResult(SpoolerFailure failure) : failure_(std::move(failure)) {}

  bool ok() const { return !failure_; }
  explicit operator bool() const { return ok(); }

  const SpoolerFailure& failure() const { return failure_.value(); }

 private:
  std::optional<SpoolerFailure> failure_;
};

}  // namespace varnok
