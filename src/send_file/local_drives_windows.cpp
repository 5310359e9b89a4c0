#include <windows.h>

#include <cwchar>

#include "foundation/wide_text.h"
#include "send_file/local_drives.h"

namespace varnok {

std::vector<std::string> LocalDrives() {
  // The roots one after the other, each ended by a zero, the list by a second zero.
  std::wstring roots(GetLogicalDriveStringsW(0, nullptr), L'\0');
  const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
  if (length == 0 || length >= roots.size()) return {};
  std::vector<std::string> drives;
  for (const wchar_t* root = roots.c_str(); *root != L'\0'; root += std::wcslen(root) + 1) {
    // Letters that name nothing (a drive removed since) are no place to pick a file from;
    // removable, network and optical drives are, and say so when they cannot be read.
    const UINT type = GetDriveTypeW(root);
    if (type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR) drives.push_back(Utf8FromWide(root));
  }
  return drives;
}

char FolderSeparator() { return '\\'; }

}  // namespace varnok
