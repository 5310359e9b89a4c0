#include <windows.h>

#include <algorithm>
#include <random>

#include "settings/file_access.h"
#include "settings/wide_text.h"

namespace varnok::ini {

namespace {

// Closes a file handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (ok()) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  HANDLE get() const { return handle_; }
  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Closes now and reports whether the close succeeded.
  bool Close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return ::CloseHandle(handle) != FALSE;
  }

 private:
  HANDLE handle_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool ReadAll(HANDLE file, std::string& bytes) {
  char buffer[8192];
  while (true) {
    DWORD got = 0;
    if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) return false;
    if (got == 0) return true;
    bytes.append(buffer, got);
  }
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 20));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// The file a write must replace: path itself, or the target of a symbolic link.
bool ResolveTarget(const std::wstring& path, std::wstring& target) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    target = path;
    return true;
  }
  Handle file(::CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.ok()) return false;
  std::wstring resolved(MAX_PATH, L'\0');
  DWORD length = ::GetFinalPathNameByHandleW(file.get(), resolved.data(),
                                             static_cast<DWORD>(resolved.size()), 0);
  if (length >= resolved.size()) {
    resolved.resize(length);
    length = ::GetFinalPathNameByHandleW(file.get(), resolved.data(),
                                         static_cast<DWORD>(resolved.size()), 0);
  }
  if (length == 0 || length >= resolved.size()) return false;
  resolved.resize(length);
  target = resolved;
  return true;
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? L"." : path.substr(0, separator);
}

std::wstring NameOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

// Creates a new, empty temporary file beside target; its path goes to temporary.
HANDLE CreateTemporaryFile(const std::wstring& target, std::wstring& temporary) {
  std::random_device seed;
  std::mt19937 generator(seed());
  const std::wstring prefix = FolderOf(target) + L"\\." + NameOf(target) + L".tmp-";
  for (int attempt = 0; attempt < 16; ++attempt) {
    temporary = prefix + std::to_wstring(generator() % 100000000U);
    const HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

enum class Replacement { Done, RefusedByFolder, Failed };

// A folder the user may not add to or rename in; every other error (a full disk, an I/O
// error) is a failure of its own.
Replacement FailureFrom(DWORD error) {
  return error == ERROR_ACCESS_DENIED ? Replacement::RefusedByFolder : Replacement::Failed;
}

// Puts the flushed temporary file in the target's place. ReplaceFileW keeps the old file's
// attributes and permissions; a new target is a plain rename, written through to the disk.
bool PutInPlace(const std::wstring& temporary, const std::wstring& target, bool old_exists) {
  if (old_exists && ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                   REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    return true;
  }
  return ::MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

// Writes a temporary file beside target, flushes it and puts it in target's place.
Replacement ReplaceAtomically(const std::wstring& target, bool old_exists, std::string_view bytes) {
  std::wstring temporary;
  Handle file(CreateTemporaryFile(target, temporary));
  if (!file.ok()) return FailureFrom(::GetLastError());
  if (!(WriteAll(file.get(), bytes) && ::FlushFileBuffers(file.get()) && file.Close())) {
    ::DeleteFileW(temporary.c_str());
    return Replacement::Failed;
  }
  if (!PutInPlace(temporary, target, old_exists)) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    return FailureFrom(error);
  }
  return Replacement::Done;
}

bool MoveTo(HANDLE file, std::size_t offset) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  return ::SetFilePointerEx(file, position, nullptr, FILE_BEGIN) != FALSE;
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

// Writes the new bytes over the old ones in the file itself, which keeps its permissions.
// A write that fails part-way puts the old bytes back.
bool WriteInPlace(const std::wstring& target, std::string_view bytes) {
  Handle file(::CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string old_bytes;
  if (!file.ok() || ::GetFileType(file.get()) != FILE_TYPE_DISK ||
      !ReadAll(file.get(), old_bytes)) {
    return false;
  }
  if (Overwrite(file.get(), bytes)) return true;
  Overwrite(file.get(), old_bytes);
  return false;
}

}  // namespace

FileBytes ReadFileBytes(const std::string& path) {
  FileBytes result;
  Handle file(::CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.ok()) {
    const DWORD error = ::GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    result.status = missing ? ReadStatus::Missing : ReadStatus::Failed;
    return result;
  }
  // Only a file on a disk is read: a pipe may never end, nor a device.
  if (::GetFileType(file.get()) != FILE_TYPE_DISK) return result;
  if (!ReadAll(file.get(), result.bytes)) {
    result.bytes.clear();
    return result;
  }
  result.status = ReadStatus::Ok;
  return result;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::wstring target;
  if (!ResolveTarget(WideFromUtf8(path), target)) return false;

  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  const bool old_exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (old_exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  if (!old_exists) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) return false;  // also a folder that does not exist
  }

  const Replacement replacement = ReplaceAtomically(target, old_exists, bytes);
  if (replacement == Replacement::RefusedByFolder && old_exists) {
    return WriteInPlace(target, bytes);
  }
  return replacement == Replacement::Done;
}

}  // namespace varnok::ini
