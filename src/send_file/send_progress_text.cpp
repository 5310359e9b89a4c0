#include "send_file/send_progress_text.h"

namespace varnok {

namespace {

std::string WithThousands(std::uint64_t number) {
  std::string digits = std::to_string(number);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), 1, ',');
  }
  return digits;
}

}  // namespace

std::string ProgressText(std::string_view file_name, std::string_view printer,
                         std::uint64_t bytes_sent, std::uint64_t total_bytes) {
  return "Sending \"" + std::string(file_name) + "\" to " + std::string(printer) + " ...\n" +
         WithThousands(bytes_sent) + " of " + WithThousands(total_bytes) + " bytes sent";
}

}  // namespace varnok
