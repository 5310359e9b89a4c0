#include <windows.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <random>
#include <thread>
#include <utility>

#include "foundation/file_access.h"
#include "foundation/wide_text.h"

// The Windows backend of file_access.h. Its locks are LockFileEx's, which Windows enforces: a
// range locked for writing cannot be read through another handle either. A change never follows
// a link nor changes a file with a second name (Windows has no cheap test of who may change a
// folder), which is stricter than the contract asks where only the user may change the folder;
// and it leaves a file marked read-only as it is, as Windows' own profile writer does.
namespace varnok::ini {

namespace {

using Clock = std::chrono::steady_clock;

// Closes a file handle when it goes out of scope.
class Handle {
 public:
  Handle() = default;
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  Handle& operator=(Handle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  ~Handle() {
    if (ok()) ::CloseHandle(handle_);
  }

  HANDLE get() const { return handle_; }
  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Closes now and reports whether the close succeeded.
  bool Close() { return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE; }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Others may read, change, rename and delete the file while it is open here; the locks, not
// sharing modes, keep saves apart.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

Handle Open(const std::wstring& path, DWORD access, DWORD disposition, DWORD flags = 0) {
  return Handle(::CreateFileW(path.c_str(), access, kShareAll, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL | flags, nullptr));
}

// Locks the whole file, also what a save may add, waiting until the deadline at most.
bool LockFile(HANDLE file, bool for_writing, Clock::time_point deadline) {
  const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (for_writing ? LOCKFILE_EXCLUSIVE_LOCK : 0);
  while (true) {
    OVERLAPPED from_start{};
    if (::LockFileEx(file, flags, 0, MAXDWORD, MAXDWORD, &from_start)) return true;
    if (::GetLastError() != ERROR_LOCK_VIOLATION || Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// An ordinary file on a disk, no larger than a settings file may be.
bool IsSettingsFile(HANDLE file, BY_HANDLE_FILE_INFORMATION& information) {
  return ::GetFileType(file) == FILE_TYPE_DISK &&
         ::GetFileInformationByHandle(file, &information) &&
         !(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         information.nFileSizeHigh == 0 && information.nFileSizeLow <= kMaxFileBytes;
}

// Reads the rest of the file; false when that fails or it holds more than a settings file may.
bool ReadAll(HANDLE file, std::string& bytes) {
  char buffer[8192];
  while (true) {
    DWORD got = 0;
    if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) return false;
    if (got == 0) return true;
    bytes.append(buffer, got);
    if (bytes.size() > kMaxFileBytes) return false;
  }
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

bool MoveTo(HANDLE file, std::size_t offset) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  return ::SetFilePointerEx(file, position, nullptr, FILE_BEGIN) != FALSE;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? L"." : path.substr(0, separator);
}

std::wstring NameOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

// Creates a new, empty temporary file beside the file; its path goes to temporary.
Handle CreateTemporaryFile(const std::wstring& path, std::wstring& temporary) {
  std::random_device seed;
  std::mt19937 generator(seed());
  const std::wstring prefix = FolderOf(path) + L"\\." + NameOf(path) + L".tmp-";
  for (int attempt = 0; attempt < 16; ++attempt) {
    temporary = prefix + std::to_wstring(generator() % 100000000U);
    Handle file = Open(temporary, GENERIC_WRITE, CREATE_NEW);
    if (file.ok() || ::GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return Handle();
}

enum class Replacement { Done, RefusedByFolder, Failed };

// A folder the user may not add to; every other error (a full disk, an I/O error) is a failure
// of its own.
Replacement FailureFrom(DWORD error) {
  return error == ERROR_ACCESS_DENIED ? Replacement::RefusedByFolder : Replacement::Failed;
}

// Writes a temporary file beside the file, flushes it and renames it over the file, written
// through to the disk. One rename leaves no moment without the file, which ReplaceFileW does not
// promise (under wine a save made in that moment found no file and lost every other value).
Replacement ReplaceAtomically(const std::wstring& path, std::string_view bytes) {
  std::wstring temporary;
  Handle file = CreateTemporaryFile(path, temporary);
  if (!file.ok()) return FailureFrom(::GetLastError());
  if (!(WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get()) && file.Close())) {
    ::DeleteFileW(temporary.c_str());
    return Replacement::Failed;
  }
  if (!::MoveFileExW(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    return FailureFrom(error);
  }
  return Replacement::Done;
}

// Makes the open file hold exactly bytes and flushes it. A file that must grow is given its new
// size first, so a full disk shows before any byte is overwritten.
bool Overwrite(HANDLE file, std::string_view bytes) {
  LARGE_INTEGER old_size;
  if (!::GetFileSizeEx(file, &old_size)) return false;
  if (static_cast<ULONGLONG>(old_size.QuadPart) < bytes.size() &&
      !(MoveTo(file, bytes.size()) && ::SetEndOfFile(file))) {
    return false;
  }
  // Written from the start, the position ends where the file is cut.
  return MoveTo(file, 0) && WriteAll(file, bytes) && ::SetEndOfFile(file) &&
         ::FlushFileBuffers(file);
}

// Writes the new bytes over the old ones in the file itself, which keeps its permissions. A
// write that fails part-way puts the old bytes back.
bool WriteInPlace(HANDLE file, std::string_view old_bytes, std::string_view bytes) {
  if (Overwrite(file, bytes)) return true;
  Overwrite(file, old_bytes);
  return false;
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

// Whether the path still leads to this file (not to a file that replaced it).
bool StillNamed(const std::wstring& path, const BY_HANDLE_FILE_INFORMATION& file) {
  Handle named = Open(path, 0, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT);
  BY_HANDLE_FILE_INFORMATION information{};
  return named.ok() && ::GetFileInformationByHandle(named.get(), &information) &&
         SameFile(information, file);
}

// The file to be changed, open and locked for writing.
struct OpenedFile {
  enum class Outcome { Ok, Retry, Failed } outcome = Outcome::Failed;
  Handle handle;
  BY_HANDLE_FILE_INFORMATION information{};
  bool writable = false;  // open for writing, so that it can be written in place
  bool created = false;   // created empty just now, as there was none
};

// Opens the file itself, never what a link leads to (a missing file is created empty, so that
// there is something to lock), and locks it, waiting until the deadline at most. Retry when
// another save replaced the file meanwhile: the path must lead to the file locked.
OpenedFile OpenForChange(const std::wstring& path, Clock::time_point deadline) {
  OpenedFile file;
  file.handle = Open(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, FILE_FLAG_OPEN_REPARSE_POINT);
  file.writable = file.handle.ok();
  file.created = file.writable && ::GetLastError() != ERROR_ALREADY_EXISTS;
  // Without write permission, a folder that allows it may still take a replacement.
  if (!file.handle.ok() && ::GetLastError() == ERROR_ACCESS_DENIED) {
    file.handle = Open(path, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT);
  }
  if (!file.handle.ok() || !IsSettingsFile(file.handle.get(), file.information) ||
      (file.information.dwFileAttributes &
       (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY)) ||
      file.information.nNumberOfLinks != 1 || !LockFile(file.handle.get(), true, deadline)) {
    return file;
  }
  file.outcome =
      StillNamed(path, file.information) ? OpenedFile::Outcome::Ok : OpenedFile::Outcome::Retry;
  return file;
}

// Reads the locked file, edits its bytes and writes them: by replacement where the folder
// allows, in place otherwise.
bool Change(const std::wstring& path, const OpenedFile& file, const FileEdit& edit) {
  std::string current;
  if (!ReadAll(file.handle.get(), current)) return false;
  const std::optional<std::string> bytes = edit(current);
  if (!bytes || bytes->size() > kMaxFileBytes) return false;
  const Replacement replacement = ReplaceAtomically(path, *bytes);
  if (replacement != Replacement::RefusedByFolder) return replacement == Replacement::Done;
  return file.writable && WriteInPlace(file.handle.get(), current, *bytes);
}

}  // namespace

FileBytes ReadFileBytes(const std::string& path) {
  FileBytes result;
  Handle file = Open(WideFromUtf8(path), GENERIC_READ, OPEN_EXISTING);
  if (!file.ok()) {
    const DWORD error = ::GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    result.status = missing ? ReadStatus::Missing : ReadStatus::Failed;
    return result;
  }
  // Only an ordinary file is read: a pipe may never end, nor a device.
  BY_HANDLE_FILE_INFORMATION information{};
  if (!IsSettingsFile(file.get(), information) ||
      !LockFile(file.get(), false, Clock::now() + kLockWait)) {
    return result;
  }
  result.bytes.reserve(information.nFileSizeLow);
  if (!ReadAll(file.get(), result.bytes)) {
    result.bytes.clear();
    return result;
  }
  result.status = ReadStatus::Ok;
  return result;
}

bool ChangeFileBytes(const std::string& path, const FileEdit& edit) {
  const std::wstring wide_path = WideFromUtf8(path);
  // Other saves may replace the file again and again while this one waits for it; the wait as a
  // whole has an end.
  const auto deadline = Clock::now() + kLockWait;
  while (Clock::now() < deadline) {
    OpenedFile file = OpenForChange(wide_path, deadline);
    if (file.outcome == OpenedFile::Outcome::Retry) continue;
    if (file.outcome == OpenedFile::Outcome::Failed) {
      if (file.created) ::DeleteFileW(wide_path.c_str());
      return false;
    }
    const bool changed = Change(wide_path, file, edit);
    // A file created for a change that failed goes again, unless another save replaced it.
    if (!changed && file.created && StillNamed(wide_path, file.information)) {
      ::DeleteFileW(wide_path.c_str());
    }
    return changed;
  }
  return false;
}

}  // namespace varnok::ini
