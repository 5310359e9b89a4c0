#pragma once

#include <string>
#include <vector>

#include "about/system_info.h"

namespace varnok::testing {

// Records the programs it is asked to start; starts them or fails, as told.
struct FakeLauncher : ProgramLauncher {
  bool StartDetached(const std::string& program) override {
    started.push_back(program);
    return starts;
  }
  std::vector<std::string> started;
  bool starts = true;
};

}  // namespace varnok::testing
