#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnok {

// The mount points of real file systems (disks, removable media, network shares) in a mount
// table in the /proc/self/mounts format, sorted, each once; "/" is always among them. Kernel
// and memory file systems (proc, sysfs, tmpfs, cgroup, ...) are left out.
std::vector<std::string> ParseMountPoints(std::string_view mount_table);

// The volume (a mount point, or a drive root such as "C:\") that holds the folder, the longest
// matching one, or "" when none does; paths are written with the separator given.
std::string VolumeHolding(const std::vector<std::string>& volumes, std::string_view folder,
                          char separator);

}  // namespace varnok
