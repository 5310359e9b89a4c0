#pragma once

namespace varnok::testing {

// For the running thread only, the file system treats the test as an ordinary user, for whom a
// file without write permission cannot be written. Linux: the file system sees nobody instead of
// root, who could read and write any file whatever its permissions; Windows keeps a read-only
// file from every user, so nothing changes there.
class OrdinaryFileSystemUser {
 public:
  OrdinaryFileSystemUser();
  ~OrdinaryFileSystemUser();
  OrdinaryFileSystemUser(const OrdinaryFileSystemUser&) = delete;
  OrdinaryFileSystemUser& operator=(const OrdinaryFileSystemUser&) = delete;
};

}  // namespace varnok::testing
