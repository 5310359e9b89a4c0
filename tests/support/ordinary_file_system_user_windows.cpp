#include "support/ordinary_file_system_user.h"

namespace varnok::testing {

OrdinaryFileSystemUser::OrdinaryFileSystemUser() = default;
OrdinaryFileSystemUser::~OrdinaryFileSystemUser() = default;

}  // namespace varnok::testing
