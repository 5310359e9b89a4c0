#include "foundation/open_file.h"
#include "foundation/wide_text.h"

namespace varnok {

std::FILE* OpenFileForReading(const std::string& path) {
  return ::_wfopen(WideFromUtf8(path).c_str(), L"rb");
}

}  // namespace varnok
