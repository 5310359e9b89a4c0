#pragma once

#include <string>

namespace varnok {

// The settings file beside the running program: its folder followed by "/config.ini".
std::string ConfigFilePath();

}  // namespace varnok
