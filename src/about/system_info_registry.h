#pragma once

#include <string>
#include <string_view>

#include "about/system_info.h"

// Windows: the registry says where the system-information program is.
namespace varnok {

// Text values of the registry under the local-machine root.
class RegistryValues {
 public:
  virtual ~RegistryValues() = default;
  // The text of value_name under key; false, with an empty value, when the key cannot be opened
  // for reading or the value cannot be read as text.
  virtual bool GetKeyValue(std::string_view key, std::string_view value_name,
                           std::string& value) = 0;
};

inline constexpr std::string_view kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view kMsinfoPathValue = "PATH";
inline constexpr std::string_view kSharedToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::string_view kMsinfoFolderValue = "MSINFO";
inline constexpr std::string_view kMsinfoProgram = "MSINFO32.EXE";

// The program's full path: the MSINFO key's PATH; else MSINFO32.EXE in the folder the shared
// tools' MSINFO value names, when that file exists; else "".
std::string FindSysInfoProgram(RegistryValues& registry);

// Starts the program the registry names, or tells the user that none is available.
void StartSysInfo(ProgramLauncher& launcher, UserMessages& messages, RegistryValues& registry);

}  // namespace varnok
