#include "foundation/file_location_posix.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <deque>
#include <string_view>

namespace varnok::ini {

namespace {

// As many links as the kernel follows in one path.
constexpr int kMaxLinks = 40;

// Puts the names of path in front of names; empty ones (from doubled or closing slashes) drop out.
void PrependNames(std::string_view path, std::deque<std::string>& names) {
  std::deque<std::string> added;
  while (!path.empty()) {
    const std::size_t slash = path.find('/');
    const std::string_view name = path.substr(0, slash);
    if (!name.empty()) added.emplace_back(name);
    path.remove_prefix(slash == std::string_view::npos ? path.size() : slash + 1);
  }
  names.insert(names.begin(), added.begin(), added.end());
}

Descriptor OpenFolder(int folder, const char* name) {
  return Descriptor(::openat(folder, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

std::optional<std::string> LinkText(int folder, const std::string& name) {
  char text[PATH_MAX];
  const ssize_t size = ::readlinkat(folder, name.c_str(), text, sizeof text);
  if (size <= 0 || static_cast<std::size_t>(size) == sizeof text) return std::nullopt;
  return std::string(text, static_cast<std::size_t>(size));
}

}  // namespace

bool IsSharedFolder(int folder) {
  struct stat status {};
  if (::fstat(folder, &status) != 0) return true;
  const bool trusted_owner = status.st_uid == 0 || status.st_uid == ::geteuid();
  return !trusted_owner || (status.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

std::optional<FileLocation> LocateFile(const std::string& path) {
  std::deque<std::string> names;
  PrependNames(path, names);
  Descriptor folder = OpenFolder(AT_FDCWD, path.starts_with('/') ? "/" : ".");
  int links = 0;
  while (folder.ok() && !names.empty()) {
    std::string name = std::move(names.front());
    names.pop_front();
    struct stat status {};
    const bool exists = ::fstatat(folder.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT) return std::nullopt;
    if (exists && S_ISLNK(status.st_mode)) {
      if (++links > kMaxLinks || IsSharedFolder(folder.get())) return std::nullopt;
      const std::optional<std::string> text = LinkText(folder.get(), name);
      if (!text) return std::nullopt;
      PrependNames(*text, names);
      if (text->starts_with('/')) folder = OpenFolder(AT_FDCWD, "/");
    } else if (names.empty()) {
      const bool shared = IsSharedFolder(folder.get());
      return FileLocation{std::move(folder), std::move(name), shared};
    } else if (!exists) {
      return std::nullopt;  // a folder on the way is missing
    } else {
      folder = OpenFolder(folder.get(), name.c_str());
    }
  }
  return std::nullopt;
}

}  // namespace varnok::ini
