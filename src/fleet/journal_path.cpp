#include <cstdlib>

#include "fleet/journal.h"

namespace varnok {

std::string JournalPath(const std::string& given) {
  if (!given.empty()) return given;
  const char* named = std::getenv(std::string(kJournalVariable).c_str());
  return named != nullptr && *named != '\0' ? named : std::string(kDefaultJournalPath);
}

}  // namespace varnok
