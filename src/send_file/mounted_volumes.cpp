#include "send_file/mounted_volumes.h"

#include <algorithm>
#include <array>
#include <sstream>

namespace varnok {

namespace {

// Shares whose source is not a device path.
constexpr std::array<std::string_view, 7> kNetworkTypes = {"nfs",   "nfs4",       "cifs", "smb3",
                                                           "smbfs", "fuse.sshfs", "9p"};

// Read-only images mounted from loop devices (snap packages) are not places to pick files.
constexpr std::string_view kImageType = "squashfs";

bool IsRealFileSystem(std::string_view device, std::string_view type) {
  if (type == kImageType) return false;
  return device.starts_with('/') ||
         std::find(kNetworkTypes.begin(), kNetworkTypes.end(), type) != kNetworkTypes.end();
}

// The table writes blanks, tabs, newlines and backslashes in names as three octal digits.
std::string DecodeOctalEscapes(std::string_view field) {
  std::string decoded;
  for (std::size_t i = 0; i < field.size(); ++i) {
    const bool escape = field[i] == '\\' && i + 3 < field.size();
    if (escape && field.substr(i + 1, 3).find_first_not_of("01234567") == std::string_view::npos) {
      const int code = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
      decoded += static_cast<char>(code);
      i += 3;
    } else {
      decoded += field[i];
    }
  }
  return decoded;
}

bool Holds(std::string_view volume, std::string_view folder, char separator) {
  if (!folder.starts_with(volume)) return false;
  return volume.ends_with(separator) || folder.size() == volume.size() ||
         folder[volume.size()] == separator;
}

}  // namespace

std::vector<std::string> ParseMountPoints(std::string_view mount_table) {
  std::vector<std::string> volumes = {"/"};
  std::istringstream lines{std::string(mount_table)};
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string device, mount_point, type;
    if (!(fields >> device >> mount_point >> type)) continue;
    if (IsRealFileSystem(device, type)) volumes.push_back(DecodeOctalEscapes(mount_point));
  }
  std::sort(volumes.begin(), volumes.end());
  volumes.erase(std::unique(volumes.begin(), volumes.end()), volumes.end());
  return volumes;
}

std::string VolumeHolding(const std::vector<std::string>& volumes, std::string_view folder,
                          char separator) {
  std::string best;
  for (const auto& volume : volumes) {
    if (Holds(volume, folder, separator) && volume.size() > best.size()) best = volume;
  }
  return best;
}

}  // namespace varnok
