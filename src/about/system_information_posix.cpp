#include <cstdlib>

#include "about/sys_info_search_path.h"
#include "about/system_information.h"

namespace varnok {

void OpenSystemInformation(ProgramLauncher& launcher, UserMessages& messages) {
  const char* search_path = std::getenv("PATH");
  StartSysInfo(launcher, messages, search_path != nullptr ? search_path : "");
}

}  // namespace varnok
