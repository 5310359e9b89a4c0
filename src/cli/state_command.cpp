#include "cli/state_command.h"

#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli_texts.h"
#include "cli/command_help.h"
#include "cli/fleet_texts.h"
#include "cli/journal_reading.h"
#include "cli/json_output.h"
#include "cli/table.h"
#include "cli/utc_time.h"
#include "fleet/journal.h"
#include "fleet/profile_comparison.h"

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
  const std::vector<ReportedQueue> reported =
      ReadJournal(journal_path, output.language,
                  [&](Journal& journal) { return ReportQueues(&journal, server, queues); });
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
  const Profile profile = ReadProfile(profile_path, std::max<std::size_t>(queues.size(), 1));
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
    std::string reason = queue.settings.empty()
                             ? DeliveryReason(queue.prepared, server.Name(), output.language)
                             : "";
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

namespace {

constexpr std::string_view kStateHelp =
    "Shows, per queue and setting, the last value delivered to the printer, when, by\n"
    "whom and in which job, or unknown and why: never delivered, a reset since\n"
    "(reset-user, reset-advanced), the queue's device changed since (another printer\n"
    "behind the queue), the last job that carried it interrupted or failed. Nothing is\n"
    "known of a queue whose device does not go through the journal. The journal knows\n"
    "what was delivered, not what the printer holds: a change on its panel, a power\n"
    "loss before it saved a setting, or another printer at the same address go unseen.\n"
    "\n"
    "With --json: {\"journal\", \"queues\": [{\"queue\", \"device_uri\", \"journaled\",\n"
    "\"settings\": {SETTING: {\"state\": \"delivered\", \"value\", \"command_bytes\",\n"
    "\"delivered_at\", \"user\", \"host\", \"job\"} or {\"state\": \"unknown\", \"reason\",\n"
    "\"detail\", \"job\"}}}]}; reason is never-delivered, reset, device-changed,\n"
    "interrupted, printing or failed.";

constexpr std::string_view kDriftHelp =
    "Compares each queue's delivered settings with a profile, by the commands the\n"
    "profile gives the queue's model (its correction included), and shows each setting\n"
    "that differs: the profile's value and the delivered one, or unknown and why.\n"
    "Exit status 0 when no queue differs, 1 when one does or cannot be compared, as\n"
    "diff does.\n"
    "\n"
    "With --json: {\"profile\", \"journal\", \"queues\": [{\"queue\", \"model\", \"differs\",\n"
    "\"reason\", \"settings\": [{\"setting\", \"wanted\", \"wanted_bytes\", \"delivered\"}]}]},\n"
    "delivered as state gives it.";

struct StateWords {
  std::vector<std::string> queues;
  std::string journal;
  bool json = false;
};

struct DriftWords {
  std::string profile;
  std::vector<std::string> queues;
  std::string journal;
  DeliveryWords delivery;
  bool json = false;
};

}  // namespace

Command StateCommand(CLI::App& app) {
  const auto words = std::make_shared<StateWords>();
  CLI::App* state = app.add_subcommand(
      "state", "The last value of each setting delivered to each queue, or why it is unknown");
  state->add_option("QUEUE", words->queues, "The queues (default: every VARNOK queue)")
      ->type_name("");
  AddJournalOption(*state, words->journal);
  AddJsonFlag(*state, words->json);
  state->footer(Footer({kStateHelp, help::kJournalNote}));
  return {state, [words](const Services& services) {
            ShowState(JournalPath(words->journal), words->queues, services.print_server,
                      services.Output(words->json));
            return static_cast<int>(ExitStatus::Ok);
          }};
}

Command DriftCommand(CLI::App& app) {
  const auto words = std::make_shared<DriftWords>();
  CLI::App* drift = app.add_subcommand(
      "drift", "The queues whose delivered settings differ from a profile (exit 1 when any does)");
  drift->add_option("PROFILE", words->profile, "The profile")->type_name("")->required();
  drift->add_option("QUEUE", words->queues, "The queues (default: every VARNOK queue)")
      ->type_name("");
  AddJournalOption(*drift, words->journal);
  words->delivery.AddConfigOption(*drift);
  AddJsonFlag(*drift, words->json);
  drift->footer(Footer({kDriftHelp, help::kJournalNote}));
  return {drift, [words](const Services& services) {
            const DeliveryOptions options = words->delivery.Options(services);
            return static_cast<int>(ShowDrift(JournalPath(words->journal), words->profile,
                                              words->queues, options, services.print_server,
                                              services.spooler, services.Output(words->json)));
          }};
}

}  // namespace varnok::cli
