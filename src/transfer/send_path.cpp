#include "transfer/send_path.h"

namespace varnok {

std::string BuildSendPath(std::string_view folder, std::string_view file_name) {
  std::string path(folder);
  path += '/';
  path += file_name;
  return path;
}

}  // namespace varnok
