#pragma once

#include <string>
#include <string_view>

#include "spooler/message_boxes.h"

namespace varnok {

// Starts a program on its own, in a normal window, and returns at once.
class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // False when the program could not be started.
  virtual bool StartDetached(const std::string& program) = 0;
};

// Shown when no system-information program can be started.
inline constexpr std::string_view kSysInfoUnavailable = "此时系统信息不可用";

// Starts the system-information program at path, or tells the user that none is available:
// when path is empty or the program cannot be started.
void StartSysInfoAt(ProgramLauncher& launcher, UserMessages& messages, const std::string& path);

}  // namespace varnok
