#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace varnok {

// Files above this size are sent behind a progress dialog; smaller ones go at once.
inline constexpr std::uint64_t kProgressDialogBytes = 1024 * 1024;

inline bool ShowsProgressDialog(std::uint64_t total_bytes) {
  return total_bytes > kProgressDialogBytes;
}

// The progress dialog's text, e.g. "Sending "a.prn" to VARNOK_K540 ...\n1,048,576 of
// 5,242,880 bytes sent".
std::string ProgressText(std::string_view file_name, std::string_view printer,
                         std::uint64_t bytes_sent, std::uint64_t total_bytes);

}  // namespace varnok
