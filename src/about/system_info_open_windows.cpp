#include "about/system_info_open.h"
#include "about/windows_registry.h"

namespace varnok {

void OpenSystemInfo(ProgramLauncher& launcher, UserMessages& messages) {
  WindowsRegistry registry;
  StartSysInfo(launcher, messages, registry);
}

}  // namespace varnok
