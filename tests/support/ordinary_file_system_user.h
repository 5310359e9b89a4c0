#pragma once

#include <sys/fsuid.h>
#include <unistd.h>

namespace varnok::testing {

// For the running thread only, the file system sees an ordinary user instead of root, who
// could read and write any file whatever its permissions.
class OrdinaryFileSystemUser {
 public:
  OrdinaryFileSystemUser() {
    if (::geteuid() == 0) ::setfsuid(kNobody);
  }
  ~OrdinaryFileSystemUser() {
    if (::geteuid() == 0) ::setfsuid(0);
  }
  OrdinaryFileSystemUser(const OrdinaryFileSystemUser&) = delete;
  OrdinaryFileSystemUser& operator=(const OrdinaryFileSystemUser&) = delete;

 private:
  static constexpr uid_t kNobody = 65534;
};

}  // namespace varnok::testing
