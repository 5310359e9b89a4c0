#include <vector>

#include "printer/printer_access.h"

namespace varnok {

bool IsBrandQueueName(std::string_view name) {
  return name.starts_with("VARNOK") || name.starts_with("Varnok");
}

QueueList ListBrandQueues(Spooler& spooler) {
  QueueList list;
  list.names = spooler.ListQueues(list.failure);
  std::erase_if(list.names, [](const std::string& name) { return !IsBrandQueueName(name); });
  return list;
}

}  // namespace varnok
