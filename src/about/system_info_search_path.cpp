#include "about/system_info_search_path.h"

#include <algorithm>
#include <filesystem>

namespace varnok {

namespace {

bool IsExecutableFile(const std::filesystem::path& file) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  constexpr auto kAnyExec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  return fs::is_regular_file(status) && (status.permissions() & kAnyExec) != fs::perms::none;
}

}  // namespace

bool GetKeyValue(std::string_view search_path, std::string_view program, std::string& value) {
  value.clear();
  while (!search_path.empty()) {
    const std::string_view folder = search_path.substr(0, search_path.find(':'));
    search_path.remove_prefix(std::min(search_path.size(), folder.size() + 1));
    if (!folder.starts_with('/')) continue;
    const std::filesystem::path candidate = std::filesystem::path(folder) / program;
    if (IsExecutableFile(candidate)) {
      value = candidate.string();
      return true;
    }
  }
  return false;
}

void StartSysInfo(ProgramLauncher& launcher, UserMessages& messages, std::string_view search_path) {
  std::string path;
  for (const auto program : kSysInfoPrograms) {
    if (GetKeyValue(search_path, program, path)) break;
  }
  StartSysInfoAt(launcher, messages, path);
}

}  // namespace varnok
