#include "settings/open_file.h"
#include "settings/wide_text.h"

namespace varnok {

std::FILE* OpenFileForReading(const std::string& path) {
  return ::_wfopen(WideFromUtf8(path).c_str(), L"rb");
}

}  // namespace varnok
