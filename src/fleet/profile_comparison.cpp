#include "fleet/profile_comparison.h"

#include <algorithm>

#include "fleet/settings_job.h"

namespace varnok {

bool QueueComparison::Differs() const {
  return settings.empty() ||
         std::ranges::any_of(settings, [](const SettingComparison& each) { return each.send; });
}

std::vector<QueueComparison> CompareWithProfile(const Profile& profile,
                                                const std::vector<std::string>& queues,
                                                const DeliveryOptions& options, Journal* journal,
                                                PrintServer& server, Spooler& spooler,
                                                Language language) {
  std::vector<ReportedQueue> reported = ReportQueues(journal, server, queues);
  std::vector<std::string> names;
  for (const ReportedQueue& queue : reported) names.push_back(queue.details.name);
  std::vector<SettingInputs> inputs;
  for (const ProfileSetting& setting : profile.settings) inputs.push_back(setting.inputs);
  DeliveryOptions dry_run = options;
  dry_run.dry_run = true;
  Delivery prepared = DeliverSettings(inputs, names, dry_run, spooler, language);
  std::vector<QueueComparison> compared;
  for (std::size_t i = 0; i < reported.size(); ++i) {
    QueueComparison queue{std::move(reported[i]), std::move(prepared.queues[i]), {}};
    const std::vector<std::string>& commands = queue.prepared.commands;
    for (std::size_t j = 0; j < commands.size(); ++j) {
      SettingComparison setting;
      setting.setting = profile.settings[j].item->name;
      setting.wanted_command = commands[j];
      if (const auto carried = ReadSettingsJob(commands[j]))
        setting.wanted = carried->front().value;
      const auto state =
          std::ranges::find(queue.queue.settings, setting.setting, &SettingState::setting);
      if (state != queue.queue.settings.end()) {
        setting.state = *state;
        setting.send = MustSend(*state, commands[j]);
      }
      queue.settings.push_back(std::move(setting));
    }
    compared.push_back(std::move(queue));
  }
  return compared;
}

}  // namespace varnok
