#include <cstdlib>

#include "about/system_info_open.h"
#include "about/system_info_search_path.h"

namespace varnok {

void OpenSystemInfo(ProgramLauncher& launcher, UserMessages& messages) {
  const char* search_path = std::getenv("PATH");
  StartSysInfo(launcher, messages, search_path != nullptr ? search_path : "");
}

}  // namespace varnok
