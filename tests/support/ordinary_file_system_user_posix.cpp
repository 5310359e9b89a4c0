#include <sys/fsuid.h>
#include <unistd.h>

#include "support/ordinary_file_system_user.h"

namespace varnok::testing {

namespace {
constexpr uid_t kNobody = 65534;
}  // namespace

OrdinaryFileSystemUser::OrdinaryFileSystemUser() {
  if (::geteuid() == 0) ::setfsuid(kNobody);
}

OrdinaryFileSystemUser::~OrdinaryFileSystemUser() {
  if (::geteuid() == 0) ::setfsuid(0);
}

}  // namespace varnok::testing
