#include "spooler/driver_name_text.h"

#include <cstring>

namespace varnok {
namespace {

constexpr std::size_t kMaxUtf8ContinuationBytes = 3;

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string PointerToString(const char* address) {
  if (address == nullptr) return " ";
  std::size_t length = strnlen(address, kDriverNameMaxBytes);
  if (length == kDriverNameMaxBytes) {
    // address[length] exists (the terminator lies further on). When it continues a character,
    // step back to that character's first byte and cut there.
    std::size_t lead = length;
    while (lead > 0 && length - lead < kMaxUtf8ContinuationBytes &&
           IsUtf8Continuation(address[lead])) {
      --lead;
    }
    if (!IsUtf8Continuation(address[lead])) length = lead;
  }
  return std::string(address, length);
}

}  // namespace varnok
