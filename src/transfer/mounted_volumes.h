#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnok {

// The mount points of real file systems (disks, removable media, network shares) in a mount
// table in the /proc/self/mounts format, sorted, each once; "/" is always among them. Kernel
// and memory file systems (proc, sysfs, tmpfs, cgroup, ...) are left out.
std::vector<std::string> ParseMountPoints(std::string_view mount_table);

// The volumes of this system that are folders, from /proc/self/mounts; just "/" when the table
// cannot be read.
std::vector<std::string> MountedVolumes();

// The volume whose mount point holds the folder (the longest matching one), or "" when none
// does.
std::string VolumeHolding(const std::vector<std::string>& volumes, std::string_view folder);

}  // namespace varnok
