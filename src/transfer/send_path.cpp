#include "transfer/send_path.h"

namespace varnok {

std::string BuildSendPath(std::string_view folder, std::string_view file_name) {
  std::string path(folder);
  path += '/';
  path += file_name;
  return path;
}

std::string_view TrimBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \t";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

}  // namespace varnok
