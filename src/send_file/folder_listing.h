#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnok {

struct FolderListing {
  std::vector<std::string> folders;  // names of the sub-folders, sorted
  std::vector<std::string> files;    // names of everything else, sorted
  std::string error;                 // why the folder could not be read; empty when it could
};

// The folder's visible entries (names beginning with "." are hidden), sorted without regard
// to case. On any error the lists are empty and error says why.
FolderListing ListFolder(const std::string& folder);

// The full path of a sub-folder, the folders joined with the separator given.
std::string ChildFolder(std::string_view folder, std::string_view name, char separator);

// The folders from the volume (a mount point or a drive root) down to the folder, each a full
// path.
std::vector<std::string> FolderChain(std::string_view volume, std::string_view folder,
                                     char separator);

}  // namespace varnok
