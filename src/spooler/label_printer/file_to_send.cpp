#include "spooler/label_printer/file_to_send.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "foundation/open_file.h"
#include "foundation/utf8_path.h"

namespace varnok {

FileToSend OpenFileToSend(const std::string& path) {
  namespace fs = std::filesystem;
  FileToSend result;
  const auto fail = [&result](SdkError error, std::string reason) {
    result.error = error;
    result.reason = std::move(reason);
    return std::move(result);
  };
  if (path.empty()) return fail(SdkError::FileMissing, "no file name was given");
  std::error_code error;
  const fs::path file = PathFromUtf8(path);
  const fs::file_status status = fs::status(file, error);
  if (status.type() == fs::file_type::not_found) return fail(SdkError::FileMissing, "no such file");
  if (error) return fail(SdkError::FileUnreadable, error.message());
  if (fs::is_directory(status)) return fail(SdkError::FileUnreadable, "it is a folder");
  if (!fs::is_regular_file(status)) return fail(SdkError::FileUnreadable, "not an ordinary file");
  result.file.reset(OpenFileForReading(path));
  if (!result.file) return fail(SdkError::FileUnreadable, std::strerror(errno));
  result.size = fs::file_size(file, error);
  if (error) return fail(SdkError::FileUnreadable, error.message());
  if (result.size == 0) return fail(SdkError::FileEmpty, "the file is empty");
  return result;
}

}  // namespace varnok
