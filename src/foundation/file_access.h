#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Reading and changing a whole settings file: the only file-system code of the settings module.
// file_access_posix.cpp and its *_posix neighbours implement it for Linux; every backend keeps
// the rules written here (a Windows one with ReplaceFileW / MoveFileExW and LockFileEx).
//
// Size: settings files are small. A file larger than kMaxFileBytes is read as Failed and never
// rewritten, and no write makes a file larger; nothing is allocated for a size that is only
// announced.
//
// Locks: a change holds the file locked for writing from its read to its write, so saves of
// several threads or programs never interleave; a read holds it locked for reading, so it never
// sees a file half-written in place. Locks are advisory, between users of this interface. A
// lock another holds is waited for at most kLockWait: then the read is Failed and the change
// refused, never a hang. Where the file system has no locks, files are used without them.
//
// Links: a change follows a symbolic link (to a file or to a folder on the way) only where the
// folder holding the link can be changed by nobody but the user and the administrator (root);
// elsewhere the change is refused. In a folder others can change it also refuses a file whose
// owner is neither the user nor the administrator, and a file with a second name (a hard link),
// so that whoever shares the folder cannot make the user's program write another file.
namespace varnok::ini {

inline constexpr std::size_t kMaxFileBytes = 1024 * 1024;
inline constexpr std::chrono::milliseconds kLockWait{2000};

enum class ReadStatus { Ok, Missing, Failed };

struct FileBytes {
  ReadStatus status = ReadStatus::Failed;
  std::string bytes;
};

// Missing only when the path names nothing (its folder exists or not); Failed for every other
// error (no permission, a path below a regular file, too large, locked too long) and for anything
// but an ordinary file (a directory, a named pipe, a device), which is never waited for.
FileBytes ReadFileBytes(const std::string& path);

// Gives a file its new bytes from its current ones (empty when there is no file): nothing leaves
// it as it is.
using FileEdit = std::function<std::optional<std::string>(std::string_view current)>;

// Changes the file at path (creating it when missing) to the bytes edit makes of its current
// ones, flushed to the disk before it returns true. Where the folder allows, the bytes go to a
// new temporary file that is renamed over path, so the file holds either its old or its new
// bytes, never a mix; the new file keeps the mode and, where allowed, the owner of the old one,
// or at least its group (for a member of it). Where the folder refuses the temporary file or the
// rename for lack of permission (a folder only root may change holding a file a group may write,
// or a sticky folder), an existing file is written in place, keeping its owner and mode: its new
// size is reserved first, so a full disk shows before anything is overwritten, and a write that
// still fails part-way puts the old bytes back. False, with the old bytes in place and no file
// added, when the file cannot be read, edit gives nothing, or the write cannot be made.
bool ChangeFileBytes(const std::string& path, const FileEdit& edit);

}  // namespace varnok::ini
