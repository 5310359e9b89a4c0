#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "spooler/label_printer/label_printer_sdk.h"

namespace varnok {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// A file opened to be sent to a printer, or why it cannot be: only an ordinary file that can
// be read is sent (a device or a pipe may never end), and only one that holds something (the
// print system aborts a job without a document, so the printer would get nothing).
struct FileToSend {
  FileHandle file;
  std::uint64_t size = 0;
  std::optional<SdkError> error;  // FileMissing, FileUnreadable or FileEmpty
  std::string reason;
};

FileToSend OpenFileToSend(const std::string& path);

}  // namespace varnok
