#pragma once

#include "about/system_info.h"

namespace varnok {

// Starts programs as separate processes that outlive the window.
class QtProgramLauncher : public ProgramLauncher {
 public:
  bool StartDetached(const std::string& program) override;
};

}  // namespace varnok
