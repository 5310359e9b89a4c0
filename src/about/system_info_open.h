#pragma once

#include "about/system_info.h"

namespace varnok {

// SYSTEM: starts the system-information program where this platform keeps it (Linux: a known
// program on PATH; Windows: where the registry says), or tells the user that none is available.
void OpenSystemInfo(ProgramLauncher& launcher, UserMessages& messages);

}  // namespace varnok
