#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace varnok::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "varnok-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }

  // Writes a file in the folder and returns its full path.
  std::string Write(std::string_view name, std::string_view bytes) const {
    const std::string file = path_ + "/" + std::string(name);
    std::ofstream(file, std::ios::binary).write(bytes.data(), std::ssize(bytes));
    return file;
  }

 private:
  std::string path_;
};

}  // namespace varnok::testing
