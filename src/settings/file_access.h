#pragma once

#include <string>
#include <string_view>

// Reading a whole file and replacing a file atomically. The only file-system code of the
// settings module: file_access_posix.cpp implements it for Linux; a Windows build would use
// ReplaceFileW / MoveFileExW with MOVEFILE_WRITE_THROUGH.
namespace varnok::ini {

enum class ReadStatus { Ok, Missing, Failed };

struct FileBytes {
  ReadStatus status = ReadStatus::Failed;
  std::string bytes;
};

// Missing only when the path names nothing (its folder exists or not); Failed for every other
// error (no permission, a path below a regular file) and for anything but an ordinary file (a
// directory, a named pipe, a device), which is never waited for.
FileBytes ReadFileBytes(const std::string& path);

// Writes bytes to a new temporary file in the folder of path, flushes it to the disk and renames
// it over path, so the file holds either its old or its new bytes, never a mix. The new file
// keeps the permissions (and, where allowed, the owner) of the old one; a symbolic link is
// followed and its target replaced. False, with the old file untouched and no temporary file
// left, when any step fails.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace varnok::ini
