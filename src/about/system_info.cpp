#include "about/system_info.h"

namespace varnok {

void StartSysInfoAt(ProgramLauncher& launcher, UserMessages& messages, const std::string& path) {
  if (!path.empty() && launcher.StartDetached(path)) return;
  messages.Show({std::string(kSysInfoUnavailable), std::string(kApplicationTitle),
                 MessageIcon::None, MessageButtons::Ok});
}

}  // namespace varnok
