#include "spooler/queue_name.h"

#include <cstring>

namespace varnok {

bool IsCupsQueueName(std::string_view queue) {
  constexpr std::size_t kMaxQueueNameBytes = 127;
  if (queue.empty() || queue.size() > kMaxQueueNameBytes) return false;
  for (char c : queue) {
    auto byte = static_cast<unsigned char>(c);
    if (byte <= ' ' || byte == 127 || std::strchr("/\\?'\"#", c) != nullptr) return false;
  }
  return true;
}

}  // namespace varnok
