#include "foundation/open_file.h"

namespace varnok {

std::FILE* OpenFileForReading(const std::string& path) { return std::fopen(path.c_str(), "rb"); }

}  // namespace varnok
