#include "fleet/delivered_state.h"

#include <algorithm>
#include <ranges>

#include "printer_settings/item_commands.h"
#include "printer_settings/setting_names.h"

namespace varnok {
namespace {

bool IsReset(std::string_view setting) {
  const std::vector<std::string_view> kept = KeptSettings();
  return std::ranges::find(kept, setting) == kept.end();
}

}  // namespace

std::vector<std::string_view> KeptSettings() {
  std::vector<std::string_view> kept;
  for (const SettingName& name : SettingNames()) {
    if (CommandOfItem(name.id).ParameterIn(Language::Chinese) != ParameterSource::None) {
      kept.push_back(name.name);
    }
  }
  return kept;
}

std::vector<SettingState> DeliveredState(Journal& journal, std::string_view queue,
                                         std::string_view device_uri,
                                         const std::set<std::int64_t>& printing) {
  std::vector<SettingState> states;
  for (const std::string_view setting : KeptSettings()) {
    states.emplace_back().setting = std::string(setting);
  }
  std::size_t open = states.size();  // settings still to be told
  // Marks every setting not yet told as unknown for the reason given.
  const auto settle_rest = [&](UnknownBecause because, const std::string& detail,
                               std::int64_t job_id) {
    for (SettingState& state : states) {
      if (state.delivered || state.job_id != 0) continue;  // told already
      state.unknown = because;
      state.detail = detail;
      state.job_id = job_id;
    }
    open = 0;
  };
  const auto find = [&](std::string_view setting) -> SettingState* {
    const auto found = std::ranges::find(states, setting, &SettingState::setting);
    if (found == states.end() || found->delivered || found->job_id != 0) return nullptr;
    return &*found;
  };
  journal.EachSettingsJobNewestFirst(queue, [&](const JournaledJob& job) {
    if (job.device_uri != device_uri) {
      settle_rest(UnknownBecause::DeviceChanged, job.device_uri, job.job_id);
      return false;
    }
    UnknownBecause because = UnknownBecause::Failed;
    std::string detail = job.message;
    if (job.outcome == JobOutcome::Begun) {
      because =
          printing.contains(job.job_id) ? UnknownBecause::Printing : UnknownBecause::Interrupted;
      detail.clear();
    }
    // The job's last command of a setting is the one the printer holds.
    for (const JobSetting& setting : *job.settings | std::views::reverse) {
      if (IsReset(setting.setting)) {
        settle_rest(job.outcome == JobOutcome::Delivered ? UnknownBecause::Reset : because,
                    job.outcome == JobOutcome::Delivered ? setting.setting : detail, job.job_id);
        return false;
      }
      SettingState* state = find(setting.setting);
      if (state == nullptr) continue;
      --open;
      state->job_id = job.job_id;
      if (job.outcome == JobOutcome::Delivered) {
        state->delivered =
            Delivered{setting.value, setting.command, job.ended.value_or(job.started),
                      job.user,      job.host,        job.job_id};
      } else {
        state->unknown = because;
        state->detail = detail;
      }
    }
    return open > 0;
  });
  return states;
}

bool MustSend(const SettingState& state, std::string_view wanted) {
  return !state.delivered || state.delivered->command != wanted;
}

}  // namespace varnok
