#include "cli/state_command.h"

#include "cli/cli_texts.h"
#include "cli/json_output.h"
#include "cli/named_queues.h"
#include "cli/profile_comparison.h"
#include "cli/table.h"
#include "cli/utc_time.h"

namespace varnok::cli {
namespace {

// A setting's state for scripts: what was delivered, or why it is unknown.
nlohmann::ordered_json StateJson(const SettingState& state) {
  if (!state.delivered) {
    return {{"state", "unknown"},
            {"reason", UnknownKeyword(state.unknown)},
            {"detail", OrNull(state.detail)},
            {"job", state.job_id != 0 ? nlohmann::ordered_json(state.job_id) : nullptr}};
  }
  const Delivered& delivered = *state.delivered;
  return {{"state", "delivered"},
          {"value", delivered.value},
          {"command_bytes", HexBytes(delivered.command)},
          {"delivered_at", UtcTime(delivered.at)},
          {"user", delivered.user},
          {"host", OrNull(delivered.host)},
          {"job", delivered.job_id}};
}

// A setting's state for people.
std::string StateText(const SettingState& state, Language language) {
  return state.delivered ? state.delivered->value : UnknownText(state, language);
}

}  // namespace

void ShowState(const std::string& journal_path, const std::vector<std::string>& queues,
               PrintServer& server, const CommandOutput& output) {
  const std::vector<ReportedQueue> reported = ReadJournal(
      journal_path, output.language,
      [&](Journal& journal) { return ReportQueues(&journal, server, queues, output.language); });
  const CliTexts& texts = output.texts();
  if (output.json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const ReportedQueue& queue : reported) {
      nlohmann::ordered_json settings = nlohmann::ordered_json::object();
      for (const SettingState& state : queue.settings) settings[state.setting] = StateJson(state);
      list.push_back({{"queue", queue.details.name},
                      {"device_uri", queue.details.device_uri},
                      {"journaled", queue.printer_uri.has_value()},
                      {"settings", queue.printer_uri ? settings : nullptr}});
    }
    PrintJson(output.out, {{"journal", journal_path}, {"queues", list}});
    return;
  }
  Table table({texts.queue_heading, texts.setting_heading, texts.value_heading,
               texts.delivered_heading, texts.by_heading, texts.job_heading});
  for (const ReportedQueue& queue : reported) {
    if (!queue.printer_uri) table.Add({queue.details.name, "", std::string(texts.not_journaled)});
    for (const SettingState& state : queue.settings) {
      const Delivered* delivered = state.delivered ? &*state.delivered : nullptr;
      table.Add({queue.details.name, state.setting, StateText(state, output.language),
                 delivered ? UtcTime(delivered->at) : "",
                 !delivered                ? ""
                 : delivered->host.empty() ? delivered->user
                                           : delivered->user + "@" + delivered->host,
                 delivered ? std::to_string(delivered->job_id) : ""});
    }
  }
  table.Print(output.out);
}

ExitStatus ShowDrift(const std::string& journal_path, const std::string& profile_path,
                     const std::vector<std::string>& queues, const DeliveryOptions& options,
                     PrintServer& server, Spooler& spooler, const CommandOutput& output) {
  const Profile profile =
      ReadProfile(profile_path, std::max<std::size_t>(queues.size(), 1), output.language);
  const std::vector<QueueComparison> compared =
      ReadJournal(journal_path, output.language, [&](Journal& journal) {
        return CompareWithProfile(profile, queues, options, &journal, server, spooler,
                                  output.language);
      });
  const CliTexts& texts = output.texts();
  bool any_differs = false;
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  Table table(
      {texts.queue_heading, texts.setting_heading, texts.wanted_heading, texts.delivered_heading});
  for (const QueueComparison& queue : compared) {
    const std::string& name = queue.queue.details.name;
    any_differs = any_differs || queue.Differs();
    // Why the queue cannot be compared at all: no model the profile can be made for, or not
    // journaled.
    std::string reason = queue.settings.empty() ? queue.prepared.reason : "";
    if (reason.empty() && !queue.queue.printer_uri) reason = texts.not_journaled;
    nlohmann::ordered_json settings = nlohmann::ordered_json::array();
    for (const SettingComparison& setting : queue.settings) {
      if (!setting.send) continue;
      nlohmann::ordered_json delivered = nullptr;
      if (setting.state) delivered = StateJson(*setting.state);
      settings.push_back({{"setting", setting.setting},
                          {"wanted", setting.wanted},
                          {"wanted_bytes", HexBytes(setting.wanted_command)},
                          {"delivered", delivered}});
      if (reason.empty()) {
        table.Add(
            {name, setting.setting, setting.wanted, StateText(*setting.state, output.language)});
      }
    }
    if (!reason.empty()) table.Add({name, "", "", reason});
    if (!queue.Differs()) table.Add({name, "", "", std::string(texts.as_profile)});
    list.push_back({{"queue", name},
                    {"model", OrNull(queue.prepared.model)},
                    {"differs", queue.Differs()},
                    {"reason", OrNull(reason)},
                    {"settings", settings}});
  }
  if (output.json) {
    PrintJson(output.out, {{"profile", profile_path}, {"journal", journal_path}, {"queues", list}});
  } else {
    table.Print(output.out);
  }
  return any_differs ? ExitStatus::Failed : ExitStatus::Ok;
}

}  // namespace varnok::cli
