#pragma once

#include <string>
#include <string_view>

// Reading and writing a whole file. The only file-system code of the settings module:
// file_access_posix.cpp implements it for Linux; a Windows build would use ReplaceFileW /
// MoveFileExW with MOVEFILE_WRITE_THROUGH.
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

// Gives the file at path these bytes, flushed to the disk before it returns true; a symbolic link
// is followed and its target written. Where the folder allows, the bytes go to a new temporary
// file that is renamed over path, so the file holds either its old or its new bytes, never a mix;
// the new file keeps the mode (and, where allowed, the owner) of the old one. Where the folder
// refuses the temporary file or the rename for lack of permission (a folder only root may change
// holding a file a group may write, or a sticky folder), an existing file is written in place,
// keeping its owner and mode: its new size is reserved first, so a full disk shows before anything
// is overwritten, and a write that still fails part-way puts the old bytes back. False, with the
// old bytes in place and no temporary file left, when the write cannot be made.
bool WriteFileBytes(const std::string& path, std::string_view bytes);

}  // namespace varnok::ini
