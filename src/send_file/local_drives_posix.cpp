#include <filesystem>
#include <fstream>
#include <iterator>

#include "send_file/local_drives.h"
#include "send_file/mounted_volumes.h"

namespace varnok {

std::vector<std::string> LocalDrives() {
  std::ifstream table("/proc/self/mounts");
  const std::string text{std::istreambuf_iterator<char>(table), std::istreambuf_iterator<char>()};
  std::vector<std::string> volumes = ParseMountPoints(text);
  // Containers bind single files (/etc/hosts) as mounts; only folders are drives.
  std::erase_if(volumes, [](const std::string& volume) {
    std::error_code error;
    return !std::filesystem::is_directory(volume, error);
  });
  return volumes;
}

char FolderSeparator() { return '/'; }

}  // namespace varnok
