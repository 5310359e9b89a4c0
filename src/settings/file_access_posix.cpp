#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

#include "settings/file_access.h"

namespace varnok::ini {

namespace {

// Closes a file descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }
  // Closes now and reports whether the close succeeded (a late write error shows here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

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

// The file a write must replace: path itself, or the target of a symbolic link.
bool ResolveTarget(const std::string& path, std::string& target) {
  struct stat link_status {};
  if (::lstat(path.c_str(), &link_status) != 0 || !S_ISLNK(link_status.st_mode)) {
    target = path;
    return true;
  }
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return false;
  target = resolved;
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a new, empty temporary file beside target; its path goes to temporary.
int CreateTemporaryFile(const std::string& target, std::string& temporary) {
  std::random_device seed;
  std::mt19937 generator(seed());
  const std::string prefix = FolderOf(target) + "/." + NameOf(target) + ".tmp-";
  for (int attempt = 0; attempt < 16; ++attempt) {
    temporary = prefix + std::to_string(generator() % 100000000U);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void SyncFolder(const std::string& folder) {
  Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.ok()) ::fsync(fd.get());
}

enum class Replacement { Done, RefusedByFolder, Failed };

// A folder the user may not add to, or a sticky folder where only the file's owner may replace
// it; every other error (a full disk, an I/O error) is a failure of its own.
Replacement FailureFrom(int error) {
  return error == EACCES || error == EPERM ? Replacement::RefusedByFolder : Replacement::Failed;
}

// Writes a temporary file beside target, flushes it and renames it over target. old_status is
// that of the existing target, or nothing when there is none.
Replacement ReplaceAtomically(const std::string& target, const struct stat* old_status,
                              std::string_view bytes) {
  std::string temporary;
  Descriptor fd(CreateTemporaryFile(target, temporary));
  if (!fd.ok()) return FailureFrom(errno);

  if (old_status != nullptr) {
    // Best effort: a file system without owners or modes keeps its own.
    if (old_status->st_uid != ::geteuid() || old_status->st_gid != ::getegid()) {
      [[maybe_unused]] const int ignored =
          ::fchown(fd.get(), old_status->st_uid, old_status->st_gid);
    }
    [[maybe_unused]] const int ignored_mode = ::fchmod(fd.get(), old_status->st_mode & 07777);
  }

  if (!(WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && fd.Close())) {
    ::unlink(temporary.c_str());
    return Replacement::Failed;
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return FailureFrom(error);
  }
  // The new name is in place; making the folder entry durable is best effort.
  SyncFolder(FolderOf(target));
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
bool WriteInPlace(const std::string& target, std::string_view bytes) {
  Descriptor fd(::open(target.c_str(), O_RDWR | O_CLOEXEC));
  if (!fd.ok()) return false;
  struct stat status {};
  std::string old_bytes;
  if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      !ReadAll(fd.get(), old_bytes)) {
    return false;
  }
  if (Overwrite(fd.get(), bytes)) return true;
  Overwrite(fd.get(), old_bytes);
  return false;
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
  if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) return result;
  result.bytes.reserve(static_cast<std::size_t>(status.st_size));
  if (!ReadAll(fd.get(), result.bytes)) {
    result.bytes.clear();
    return result;
  }
  result.status = ReadStatus::Ok;
  return result;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::string target;
  if (!ResolveTarget(path, target)) return false;

  struct stat old_status {};
  const bool old_exists = ::stat(target.c_str(), &old_status) == 0;
  if (old_exists && !S_ISREG(old_status.st_mode)) return false;
  if (!old_exists && errno != ENOENT) return false;

  const Replacement replacement =
      ReplaceAtomically(target, old_exists ? &old_status : nullptr, bytes);
  if (replacement == Replacement::RefusedByFolder && old_exists) {
    return WriteInPlace(target, bytes);
  }
  return replacement == Replacement::Done;
}

}  // namespace varnok::ini
