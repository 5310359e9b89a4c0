#include "cli/apply_command.h"

#include <cstdio>

#include "cli/json_output.h"
#include "cli/named_queues.h"
#include "cli/profile.h"
#include "cli/profile_template.h"
#include "cli/queue_result.h"
#include "cli/table.h"
#include "cli/terminal_text.h"
#include "config/supported_models.h"

namespace varnok::cli {
namespace {

// The time in UTC as ISO 8601 gives it, to the millisecond: "2026-12-09T07:31:02.345Z".
std::string UtcTime(std::chrono::system_clock::time_point time) {
  using namespace std::chrono;
  const auto milliseconds = floor<std::chrono::milliseconds>(time);
  const auto day = floor<days>(milliseconds);
  const year_month_day date(day);
  const hh_mm_ss clock(milliseconds - day);
  char text[32];
  std::snprintf(
      text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ", static_cast<int>(date.year()),
      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
      static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
      static_cast<int>(clock.seconds().count()), static_cast<int>(clock.subseconds().count()));
  return text;
}

nlohmann::ordered_json Commands(const Profile& profile, const QueueDelivery& line) {
  if (line.commands.empty()) return nullptr;
  nlohmann::ordered_json commands = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < line.commands.size(); ++i) {
    commands.push_back({{"setting", profile.settings[i].item->name},
                        {"command", line.commands[i]},
                        {"command_bytes", HexBytes(line.commands[i])}});
  }
  return commands;
}

void PrintJsonResults(const std::string& profile_path, const Profile& profile,
                      const DeliveryOptions& options, const Delivery& delivery,
                      const CommandOutput& output) {
  nlohmann::ordered_json settings = nlohmann::ordered_json::array();
  for (const ProfileSetting& setting : profile.settings) settings.push_back(setting.item->name);
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const QueueDelivery& line : delivery.queues) {
    list.push_back(
        {{"queue", line.queue},
         {"model", OrNull(line.model)},
         {"supported",
          line.model ? nlohmann::ordered_json(IsSupportedModel(*line.model)) : nullptr},
         {"commands", Commands(profile, line)},
         {"result", ResultKeyword(line.result)},
         {"reason", OrNull(line.reason)},
         {"sent_at", line.sent_at ? nlohmann::ordered_json(UtcTime(*line.sent_at)) : nullptr}});
  }
  PrintJson(output.out, {{"profile", profile_path},
                         {"dry_run", options.dry_run},
                         {"settings", settings},
                         {"results", list},
                         {"notice", OrNull(delivery.notice)}});
}

}  // namespace

ExitStatus ApplyProfile(const std::string& profile_path, const std::vector<std::string>& named,
                        const DeliveryOptions& options, PrintServer& print_server, Spooler& spooler,
                        const CommandOutput& output) {
  // The network card's values go to one printer: a queue named twice, in any letter case, is
  // one printer.
  std::vector<std::string> distinct;
  for (const std::string& name : named) {
    if (!FindQueue(distinct, name)) distinct.push_back(name);
  }
  const Profile profile = ReadProfile(profile_path, distinct.size(), output.language);
  const std::vector<std::string> queues = NamedQueues(named, print_server, output.language);
  std::vector<SettingInputs> settings;
  for (const ProfileSetting& setting : profile.settings) settings.push_back(setting.inputs);
  const Delivery delivery = DeliverSettings(settings, queues, options, spooler, output.language);
  if (output.json) {
    PrintJsonResults(profile_path, profile, options, delivery, output);
  } else {
    const CliTexts& texts = output.texts();
    Table table(
        {texts.queue_heading, texts.model_heading, texts.commands_heading, texts.result_heading});
    for (const QueueDelivery& line : delivery.queues) {
      std::string commands;
      for (const std::string& command : line.commands) commands += command;
      table.Add({line.queue, line.model.value_or(""), commands,
                 ResultText(line.result, line.reason, output.language)});
    }
    table.Print(output.out);
    if (!delivery.notice.empty()) SayLine(output.err, delivery.notice);
  }
  return AllDelivered(delivery, options) ? ExitStatus::Ok : ExitStatus::Failed;
}

void PrintProfileTemplate(const CommandOutput& output) {
  output.out << ProfileTemplate(output.language);
}

}  // namespace varnok::cli
