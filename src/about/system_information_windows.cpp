#include "about/system_information.h"
#include "about/windows_registry.h"

namespace varnok {

void OpenSystemInformation(ProgramLauncher& launcher, UserMessages& messages) {
  WindowsRegistry registry;
  StartSysInfo(launcher, messages, registry);
}

}  // namespace varnok
