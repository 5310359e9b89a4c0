#pragma once

#include <string>
#include <vector>

#include "fleet/profile.h"
#include "fleet/profile_comparison.h"
#include "fleet/settings_delivery.h"

namespace varnok {

// One queue of a profile's delivery: how it fared, the settings its commands are, and, when only
// what it lacked was sent, what the journal said before.
struct ProfileQueue {
  QueueDelivery delivery;
  std::vector<std::string> settings;  // the setting of each of delivery.commands
  const QueueComparison* compared = nullptr;
};

struct ProfileDelivery {
  std::vector<ProfileQueue> queues;  // in the order given
  std::string notice;                // what to do next, once any queue was sent to
};

// The whole profile to each queue, one job a queue, as DeliverSettings sends it.
ProfileDelivery DeliverProfile(const Profile& profile, const std::vector<std::string>& queues,
                               const DeliveryOptions& options, Spooler& spooler, Language language);

// Sends each queue the settings of the profile that `compared` says it lacks, in the profile's
// order, in one job: nothing to a queue that holds them all (Unchanged) or whose earlier
// settings job still waits (Waiting); queues that lack the same settings get them from one
// delivery. The queues keep `compared`'s order and point into it.
ProfileDelivery Converge(const Profile& profile, const std::vector<QueueComparison>& compared,
                         const DeliveryOptions& options, Spooler& spooler, Language language);

// Whether every queue took its job (with dry_run: would take it). A queue unchanged was not
// failed, nor one whose earlier job is on its way: it is to get what it lacks.
bool AllTook(const ProfileDelivery& delivery, const DeliveryOptions& options);

}  // namespace varnok
