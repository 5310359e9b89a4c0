#pragma once

#include <optional>
#include <string>

#include "foundation/descriptor_posix.h"

namespace varnok::ini {

// Where a file that is to be changed lies: its folder, held open, and its name in it.
struct FileLocation {
  Descriptor folder;  // opened for finding names only (O_PATH)
  std::string name;
  bool shared_folder = false;  // see IsSharedFolder
};

// Whether someone besides the user and root may add, remove or rename names in the folder: it
// belongs to someone else, or its group or everybody may write it (a sticky folder included).
bool IsSharedFolder(int folder);

// Walks the path name by name, following a symbolic link only where the folder holding it is not
// shared. Nothing when the path goes through a link in a shared folder, through too many links,
// or through something that is not a folder; the last name need not exist. Each folder is held
// open from one name to the next, so a link planted on the way after it was looked at is not
// followed either.
std::optional<FileLocation> LocateFile(const std::string& path);

}  // namespace varnok::ini
