#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "foundation/descriptor_posix.h"
#include "foundation/file_access.h"
#include "foundation/file_location_posix.h"
#include "foundation/file_lock_posix.h"

namespace varnok::ini {

namespace {

// Reads the rest of the file; false when that fails or it holds more than a settings file may.
bool ReadAll(int fd, std::string& bytes) {
  char buffer[8192];
  while (true) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (got == 0) return true;
    bytes.append(buffer, static_cast<std::size_t>(got));
    if (bytes.size() > kMaxFileBytes) return false;
  }
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Creates a new, empty temporary file beside the file; its name goes to temporary.
Descriptor CreateTemporaryFile(const FileLocation& at, std::string& temporary) {
  std::random_device seed;
  std::mt19937 generator(seed());
  for (int attempt = 0; attempt < 16; ++attempt) {
    temporary = "." + at.name + ".tmp-" + std::to_string(generator() % 100000000U);
    Descriptor fd(::openat(at.folder.get(), temporary.c_str(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (fd.ok() || errno != EEXIST) return fd;
  }
  return Descriptor();
}

void SyncFolder(int folder) {
  Descriptor fd(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.ok()) ::fsync(fd.get());
}

// Best effort, as a file system without owners or modes keeps its own: the owner where allowed
// (root), otherwise at least the group (for a member of it), so the group can still write; the
// mode last, as a change of owner may clear it.
void KeepOwnerAndMode(int fd, const struct stat& old) {
  if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
      [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
    }
  }
  [[maybe_unused]] const int ignored_mode = ::fchmod(fd, old.st_mode & 07777);
}

enum class Replacement { Done, RefusedByFolder, Failed };

// A folder the user may not add to, or a sticky folder where only the file's owner may replace
// it; every other error (a full disk, an I/O error) is a failure of its own.
Replacement FailureFrom(int error) {
  return error == EACCES || error == EPERM ? Replacement::RefusedByFolder : Replacement::Failed;
}

// Writes a temporary file beside the file, flushes it and renames it over the file.
Replacement ReplaceAtomically(const FileLocation& at, const struct stat& old,
                              std::string_view bytes) {
  std::string temporary;
  Descriptor fd = CreateTemporaryFile(at, temporary);
  if (!fd.ok()) return FailureFrom(errno);
  KeepOwnerAndMode(fd.get(), old);
  const int folder = at.folder.get();
  if (!(WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && fd.Close())) {
    ::unlinkat(folder, temporary.c_str(), 0);
    return Replacement::Failed;
  }
  if (::renameat(folder, temporary.c_str(), folder, at.name.c_str()) != 0) {
    const int error = errno;
    ::unlinkat(folder, temporary.c_str(), 0);
    return FailureFrom(error);
  }
  // The new name is in place; making the folder entry durable is best effort.
  SyncFolder(folder);
  return Replacement::Done;
}

// Makes the open file hold exactly bytes and flushes it. The space is reserved first, so a full
// disk shows before any byte is overwritten (file systems that cannot reserve go on without).
bool Overwrite(int fd, std::string_view bytes) {
  if (!bytes.empty()) {
    const int error = ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
    if (error != 0 && error != EINVAL && error != EOPNOTSUPP) return false;
  }
  return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, bytes) &&
         ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

// Writes the new bytes over the old ones in the file itself, which keeps its owner and mode.
// A write that fails part-way puts the old bytes back.
bool WriteInPlace(int fd, std::string_view old_bytes, std::string_view bytes) {
  if (Overwrite(fd, bytes)) return true;
  Overwrite(fd, old_bytes);
  return false;
}

// Whether the name still leads to this file (not to a file that replaced it).
bool StillNamed(const FileLocation& at, const struct stat& file) {
  struct stat named {};
  return ::fstatat(at.folder.get(), at.name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
         named.st_dev == file.st_dev && named.st_ino == file.st_ino;
}

// A file of the user's or root's, with no second name that someone sharing the folder made.
bool Expected(const struct stat& file) {
  return (file.st_uid == ::geteuid() || file.st_uid == 0) && file.st_nlink == 1;
}

// The file to be changed, open and locked for writing.
struct OpenedFile {
  enum class Outcome { Ok, Retry, Failed } outcome = Outcome::Failed;
  Descriptor fd;
  struct stat status {};
  bool writable = false;  // open for writing, so that it can be written in place
  bool created = false;   // created empty just now, as there was none
};

// Opens the named file without following a link (a missing one is created empty, so that there
// is something to lock) and locks it, waiting until the deadline at most. Retry when another save
// replaced or created the file meanwhile: the name must lead to the file locked.
OpenedFile OpenForChange(const FileLocation& at, std::chrono::steady_clock::time_point deadline) {
  constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  const int folder = at.folder.get();
  const char* name = at.name.c_str();
  OpenedFile file;
  file.fd = Descriptor(::openat(folder, name, O_RDWR | kFlags));
  file.writable = file.fd.ok();
  // Without write permission, a folder that allows it may still take a replacement.
  if (!file.fd.ok() && errno == EACCES) file.fd = Descriptor(::openat(folder, name, kFlags));
  if (!file.fd.ok() && errno == ENOENT) {
    file.fd = Descriptor(::openat(folder, name, O_RDWR | O_CREAT | O_EXCL | kFlags, 0666));
    file.writable = file.created = file.fd.ok();
    if (!file.fd.ok() && errno == EEXIST) file.outcome = OpenedFile::Outcome::Retry;
  }
  if (!file.fd.ok() || ::fstat(file.fd.get(), &file.status) != 0 || !S_ISREG(file.status.st_mode) ||
      (at.shared_folder && !Expected(file.status)) ||
      !LockFile(file.fd.get(), LockKind::Writing, deadline) ||
      ::fstat(file.fd.get(), &file.status) != 0) {
    return file;
  }
  file.outcome = StillNamed(at, file.status) ? OpenedFile::Outcome::Ok : OpenedFile::Outcome::Retry;
  return file;
}

// Reads the locked file, edits its bytes and writes them: by replacement where the folder
// allows, in place otherwise.
bool Change(const FileLocation& at, const OpenedFile& file, const FileEdit& edit) {
  std::string current;
  if (!ReadAll(file.fd.get(), current)) return false;
  const std::optional<std::string> bytes = edit(current);
  if (!bytes || bytes->size() > kMaxFileBytes) return false;
  const Replacement replacement = ReplaceAtomically(at, file.status, *bytes);
  if (replacement != Replacement::RefusedByFolder) return replacement == Replacement::Done;
  return file.writable && WriteInPlace(file.fd.get(), current, *bytes);
}

}  // namespace

FileBytes ReadFileBytes(const std::string& path) {
  FileBytes result;
  // Without O_NONBLOCK the open of a named pipe would wait for a writer for ever.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.ok()) {
    result.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    return result;
  }
  // Only an ordinary file is read: a pipe may never end, nor a device such as /dev/zero.
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      static_cast<std::uintmax_t>(status.st_size) > kMaxFileBytes ||
      !LockFile(fd.get(), LockKind::Reading, std::chrono::steady_clock::now() + kLockWait)) {
    return result;
  }
  result.bytes.reserve(static_cast<std::size_t>(status.st_size));
  if (!ReadAll(fd.get(), result.bytes)) {
    result.bytes.clear();
    return result;
  }
  result.status = ReadStatus::Ok;
  return result;
}

bool ChangeFileBytes(const std::string& path, const FileEdit& edit) {
  const std::optional<FileLocation> at = LocateFile(path);
  if (!at) return false;
  // Other saves may replace the file again and again while this one waits for it; the wait as a
  // whole has an end.
  const auto deadline = std::chrono::steady_clock::now() + kLockWait;
  while (std::chrono::steady_clock::now() < deadline) {
    const OpenedFile file = OpenForChange(*at, deadline);
    if (file.outcome == OpenedFile::Outcome::Retry) continue;
    if (file.outcome == OpenedFile::Outcome::Failed) return false;
    const bool changed = Change(*at, file, edit);
    // A file created for a change that failed goes again, unless another save replaced it.
    if (!changed && file.created && StillNamed(*at, file.status)) {
      ::unlinkat(at->folder.get(), at->name.c_str(), 0);
    }
    return changed;
  }
  return false;
}

}  // namespace varnok::ini
