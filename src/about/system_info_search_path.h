#pragma once

#include <array>
#include <string>
#include <string_view>

#include "about/system_info.h"

// Linux: the system-information program is one of several known programs on the search path.
namespace varnok {

// The system-information programs SYSTEM looks for, the preferred one first.
inline constexpr std::array<std::string_view, 5> kSysInfoPrograms = {
    "hardinfo", "hardinfo2", "kinfocenter", "gnome-system-monitor", "mate-system-monitor"};

// Where a system-information program is: the full path of the executable file named program
// in the first folder of search_path (":"-separated, as PATH) that holds one. Relative and
// empty entries are skipped so nothing is started from the current folder. False, with an
// empty value, when there is none.
bool GetKeyValue(std::string_view search_path, std::string_view program, std::string& value);

// Starts the first system-information program found on search_path, or tells the user that
// none is available (also when it cannot be started).
void StartSysInfo(ProgramLauncher& launcher, UserMessages& messages, std::string_view search_path);

}  // namespace varnok
