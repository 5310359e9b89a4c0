#include "fleet/profile_delivery.h"

#include <map>

namespace varnok {
namespace {

std::vector<SettingInputs> InputsOf(const Profile& profile, const std::vector<std::size_t>& which) {
  std::vector<SettingInputs> inputs;
  for (const std::size_t j : which) inputs.push_back(profile.settings[j].inputs);
  return inputs;
}

std::vector<std::string> NamesOf(const Profile& profile, const std::vector<std::size_t>& which) {
  std::vector<std::string> names;
  for (const std::size_t j : which) names.emplace_back(profile.settings[j].item->name);
  return names;
}

}  // namespace

ProfileDelivery DeliverProfile(const Profile& profile, const std::vector<std::string>& queues,
                               const DeliveryOptions& options, Spooler& spooler,
                               Language language) {
  std::vector<std::size_t> all(profile.settings.size());
  for (std::size_t j = 0; j < all.size(); ++j) all[j] = j;
  Delivery delivery = DeliverSettings(InputsOf(profile, all), queues, options, spooler, language);
  ProfileDelivery delivered{{}, std::move(delivery.notice)};
  const std::vector<std::string> names = NamesOf(profile, all);
  for (QueueDelivery& queue : delivery.queues) {
    delivered.queues.push_back({std::move(queue), names, nullptr});
  }
  return delivered;
}

ProfileDelivery Converge(const Profile& profile, const std::vector<QueueComparison>& compared,
                         const DeliveryOptions& options, Spooler& spooler, Language language) {
  ProfileDelivery delivered;
  delivered.queues.resize(compared.size());
  std::vector<ProfileQueue>& lines = delivered.queues;
  std::map<std::vector<std::size_t>, std::vector<std::size_t>> queues_lacking;
  for (std::size_t i = 0; i < compared.size(); ++i) {
    const QueueComparison& queue = compared[i];
    lines[i].compared = &queue;
    lines[i].delivery.queue = queue.queue.details.name;
    lines[i].delivery.model = queue.prepared.model;
    std::vector<std::size_t> lacking;
    for (std::size_t j = 0; j < queue.settings.size(); ++j) {
      if (queue.settings[j].send) lacking.push_back(j);
    }
    if (queue.queue.waiting_job) {
      lines[i].delivery.result = QueueResult::Waiting;
    } else if (!queue.settings.empty() && lacking.empty()) {
      lines[i].delivery.result = QueueResult::Unchanged;
    } else {
      // A queue the profile could not be made for is tried with all of it, to say why not.
      if (queue.settings.empty()) {
        for (std::size_t j = 0; j < profile.settings.size(); ++j) lacking.push_back(j);
      }
      queues_lacking[lacking].push_back(i);
    }
  }
  for (const auto& [lacking, queue_indexes] : queues_lacking) {
    std::vector<std::string> queues;
    for (const std::size_t i : queue_indexes) queues.push_back(lines[i].delivery.queue);
    Delivery delivery =
        DeliverSettings(InputsOf(profile, lacking), queues, options, spooler, language);
    const std::vector<std::string> names = NamesOf(profile, lacking);
    for (std::size_t k = 0; k < queue_indexes.size(); ++k) {
      lines[queue_indexes[k]].delivery = std::move(delivery.queues[k]);
      lines[queue_indexes[k]].settings = names;
    }
    if (delivered.notice.empty()) delivered.notice = delivery.notice;
  }
  return delivered;
}

bool AllTook(const ProfileDelivery& delivered, const DeliveryOptions& options) {
  Delivery delivery;
  for (const ProfileQueue& line : delivered.queues) {
    if (line.delivery.result != QueueResult::Unchanged &&
        line.delivery.result != QueueResult::Waiting) {
      delivery.queues.push_back(line.delivery);
    }
  }
  return AllDelivered(delivery, options);
}

}  // namespace varnok
