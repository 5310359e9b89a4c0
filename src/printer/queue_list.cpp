#include <vector>

#include "printer/printer_access.h"

namespace varnok {

bool IsBrandQueueName(std::string_view name) {
  return name.starts_with("VARNOK") || name.starts_with("Varnok");
}

std::vector<std::string> BrandQueueNames(Spooler& spooler) {
  std::vector<std::string> names = spooler.QueueNames();
  std::erase_if(names, [](const std::string& name) { return !IsBrandQueueName(name); });
  return names;
}

}  // namespace varnok
