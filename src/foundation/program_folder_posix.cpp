#include <filesystem>
#include <system_error>

#include "foundation/program_folder.h"

namespace varnok {

// The one place that knows where the program lives. Linux: the link /proc/self/exe. (A Windows
// build would use GetModuleFileNameW.)
std::string ConfigFilePath() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "config.ini";  // no program path: the working folder
  // A plain concatenation: no separator check.
  return program.parent_path().string() + "/config.ini";
}

}  // namespace varnok
