#include "send_file/send_path.h"

namespace varnok {

std::string BuildSendPath(std::string_view folder, std::string_view file_name, char separator) {
  std::string path(folder);
  path += separator;
  path += file_name;
  return path;
}

}  // namespace varnok
