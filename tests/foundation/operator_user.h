#pragma once

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

// An operator who shares config.ini through a group: the user "nobody", a member of a group of
// its own beside its primary one. Root is allowed everything, so the tests act as the operator
// in a child process (a death test) that drops root.
namespace varnok::testing {

// The operators' group: no user has it as its primary group.
inline constexpr gid_t kOperatorsGroup = 4242;

// The operator, or nullptr when the tests cannot change user (not root, or no user nobody).
inline const passwd* Operator() { return ::geteuid() == 0 ? ::getpwnam("nobody") : nullptr; }

// In the child of a death test: becomes the operator for good; exits 2 when it cannot.
inline void BecomeOperator(const passwd& user) {
  const gid_t groups[] = {kOperatorsGroup};
  if (::setgroups(1, groups) != 0 || ::setgid(user.pw_gid) != 0 || ::setuid(user.pw_uid) != 0) {
    std::_Exit(2);
  }
}

}  // namespace varnok::testing
