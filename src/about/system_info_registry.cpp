#include "about/system_info_registry.h"

#include <filesystem>

#include "foundation/utf8_path.h"

namespace varnok {

std::string FindSysInfoProgram(RegistryValues& registry) {
  std::string value;
  if (registry.GetKeyValue(kMsinfoKey, kMsinfoPathValue, value)) return value;
  if (!registry.GetKeyValue(kSharedToolsKey, kMsinfoFolderValue, value)) return {};
  const std::filesystem::path program = PathFromUtf8(value) / PathFromUtf8(kMsinfoProgram);
  std::error_code error;
  return std::filesystem::is_regular_file(program, error) ? Utf8FromPath(program) : std::string();
}

void StartSysInfo(ProgramLauncher& launcher, UserMessages& messages, RegistryValues& registry) {
  StartSysInfoAt(launcher, messages, FindSysInfoProgram(registry));
}

}  // namespace varnok
