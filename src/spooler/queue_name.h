#pragma once

#include <string_view>

namespace varnok {

// Whether CUPS can hold a queue of this name: 1 to 127 bytes, no control characters, blanks,
// "/", "\", "?", quotes or "#". CUPS refuses other names when queues are made.
bool IsCupsQueueName(std::string_view queue);

}  // namespace varnok
