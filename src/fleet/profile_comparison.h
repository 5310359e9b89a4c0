#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "fleet/profile.h"
#include "fleet/queue_report.h"
#include "fleet/settings_delivery.h"

namespace varnok {

// One setting of the profile against what the journal says the queue's printer holds.
struct SettingComparison {
  std::string setting;
  std::string wanted;                 // the value the profile's command carries
  std::string wanted_command;         // the command the profile gives this queue's model
  std::optional<SettingState> state;  // absent when the queue is not journaled
  bool send = true;                   // differs, or unknown
};

// A queue against the profile.
struct QueueComparison {
  ReportedQueue queue;
  QueueDelivery prepared;  // the dry run of the whole profile: the model, or why not
  std::vector<SettingComparison> settings;  // empty when the profile cannot be made for it

  bool Differs() const;
};

// Each queue against the profile: the commands the profile gives its model (as apply makes
// them, its correction included) beside what the journal says was delivered (nothing without
// one). Throws ReportError.
std::vector<QueueComparison> CompareWithProfile(const Profile& profile,
                                                const std::vector<std::string>& queues,
                                                const DeliveryOptions& options, Journal* journal,
                                                PrintServer& server, Spooler& spooler,
                                                Language language);

}  // namespace varnok
