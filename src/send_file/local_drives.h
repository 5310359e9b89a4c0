#pragma once

#include <string>
#include <vector>

// The drives a file may be picked from and how this system writes paths; each platform has its
// own file behind these.
namespace varnok {

// Linux: the mount points of real file systems ("/" first); Windows: the drive roots ("C:\").
// Empty only when the system gives none.
std::vector<std::string> LocalDrives();

// The separator between a path's folders: '/' on Linux, '\' on Windows.
char FolderSeparator();

}  // namespace varnok
