#include "cli/apply_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>

#include "cli/fleet_texts.h"
#include "cli/journal_reading.h"
#include "cli/json_output.h"
#include "cli/named_queues.h"
#include "cli/profile_template.h"
#include "cli/queue_result.h"
#include "cli/table.h"
#include "cli/terminal_text.h"
#include "cli/utc_time.h"
#include "fleet/journal.h"
#include "fleet/profile_delivery.h"
#include "foundation/message_template.h"
#include "printer_settings/supported_models.h"

namespace varnok::cli {
namespace {

// Why the queue was not sent to, or a note about one sent to; `server` names the print server.
std::string Reason(const ProfileQueue& line, std::string_view server, const CommandOutput& output) {
  if (line.delivery.result == QueueResult::Waiting) {
    return FillIn(output.texts().waiting,
                  {{"job", std::to_string(*line.compared->queue.waiting_job)}});
  }
  return DeliveryReason(line.delivery, server, output.language);
}

nlohmann::ordered_json Commands(const ProfileQueue& line) {
  if (line.delivery.commands.empty()) return nullptr;
  nlohmann::ordered_json commands = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < line.delivery.commands.size(); ++i) {
    commands.push_back({{"setting", line.settings[i]},
                        {"command", line.delivery.commands[i]},
                        {"command_bytes", HexBytes(line.delivery.commands[i])}});
  }
  return commands;
}

// --converge: each setting of the profile, the delivered value before (null when unknown) and
// the profile's after, and whether it was sent.
nlohmann::ordered_json Changes(const QueueComparison& compared) {
  nlohmann::ordered_json changes = nlohmann::ordered_json::array();
  for (const SettingComparison& setting : compared.settings) {
    const bool known = setting.state && setting.state->delivered;
    changes.push_back(
        {{"setting", setting.setting},
         {"before", known ? nlohmann::ordered_json(setting.state->delivered->value) : nullptr},
         {"before_state", known ? "delivered" : "unknown"},
         {"after", setting.wanted},
         {"send", setting.send}});
  }
  return changes;
}

void PrintJsonResults(const std::string& profile_path, const Profile& profile,
                      const DeliveryOptions& options, const std::vector<ProfileQueue>& lines,
                      const std::string& notice, bool converge, std::string_view server,
                      const CommandOutput& output) {
  nlohmann::ordered_json settings = nlohmann::ordered_json::array();
  for (const ProfileSetting& setting : profile.settings) settings.push_back(setting.item->name);
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const ProfileQueue& line : lines) {
    const QueueDelivery& delivery = line.delivery;
    nlohmann::ordered_json entry{
        {"queue", delivery.queue},
        {"model", OrNull(delivery.model)},
        {"supported",
         delivery.model ? nlohmann::ordered_json(IsSupportedModel(*delivery.model)) : nullptr},
        {"commands", Commands(line)},
        {"result", ResultKeyword(delivery.result)},
        {"reason", OrNull(Reason(line, server, output))},
        {"sent_at",
         delivery.sent_at ? nlohmann::ordered_json(UtcTime(*delivery.sent_at)) : nullptr}};
    if (converge) {
      entry["changed"] =
          delivery.result == QueueResult::Sent || delivery.result == QueueResult::WouldBeSent;
      entry["settings"] = line.compared != nullptr && !line.compared->settings.empty()
                              ? Changes(*line.compared)
                              : nullptr;
    }
    list.push_back(std::move(entry));
  }
  PrintJson(output.out, {{"profile", profile_path},
                         {"dry_run", options.dry_run},
                         {"converge", converge},
                         {"settings", settings},
                         {"results", list},
                         {"notice", OrNull(notice)}});
}

}  // namespace

ExitStatus ApplyProfile(const std::string& profile_path, const std::vector<std::string>& named,
                        const DeliveryOptions& options, PrintServer& print_server, Spooler& spooler,
                        const CommandOutput& output,
                        const std::optional<std::string>& converge_journal) {
  // The network card's values go to one printer: a queue named twice, in any letter case, is
  // one printer.
  std::vector<std::string> distinct;
  for (const std::string& name : named) {
    if (!FindQueue(distinct, name)) distinct.push_back(name);
  }
  const Profile profile = ReadProfile(profile_path, distinct.size());
  const std::vector<std::string> queues = NamedQueues(named, print_server, output.language);
  ProfileDelivery delivered;
  std::vector<QueueComparison> compared;
  if (converge_journal) {
    const auto compare = [&](Journal* journal) {
      return CompareWithProfile(profile, queues, options, journal, print_server, spooler,
                                output.language);
    };
    // The backend begins the journal with the first job it passes: before that nothing is known
    // delivered, and a print server's first run sends every setting rather than failing.
    std::error_code error;
    if (std::filesystem::status(*converge_journal, error).type() ==
        std::filesystem::file_type::not_found) {
      SayLine(output.err, FillIn(output.texts().journal_not_begun, {{"file", *converge_journal}}));
      compared = compare(nullptr);
    } else {
      compared = ReadJournal(*converge_journal, output.language,
                             [&](Journal& journal) { return compare(&journal); });
    }
    delivered = Converge(profile, compared, options, spooler, output.language);
  } else {
    delivered = DeliverProfile(profile, queues, options, spooler, output.language);
  }
  const std::vector<ProfileQueue>& lines = delivered.queues;
  const std::string& notice = delivered.notice;
  const std::string server = print_server.Name();
  if (output.json) {
    PrintJsonResults(profile_path, profile, options, lines, notice, converge_journal.has_value(),
                     server, output);
  } else {
    const CliTexts& texts = output.texts();
    Table table(
        {texts.queue_heading, texts.model_heading, texts.commands_heading, texts.result_heading});
    for (const ProfileQueue& line : lines) {
      std::string commands;
      for (const std::string& command : line.delivery.commands) commands += command;
      table.Add({line.delivery.queue, line.delivery.model.value_or(""), commands,
                 ResultText(line.delivery.result, Reason(line, server, output), output.language)});
    }
    table.Print(output.out);
    if (!notice.empty()) SayLine(output.err, notice);
  }
  return AllTook(delivered, options) ? ExitStatus::Ok : ExitStatus::Failed;
}

void PrintProfileTemplate(const CommandOutput& output) {
  output.out << ProfileTemplate(output.language);
}

namespace {

constexpr std::string_view kApplyHelp =
    "Sends each queue the settings of a profile, a site's record of what its printers\n"
    "should hold, all in one raw job titled \"Label\": each setting's command exactly\n"
    "as set sends it (the model read from the queue's driver, the model's correction\n"
    "added), in the order of the file. The whole profile is checked before anything is\n"
    "sent; a fault (an unknown setting, a value outside its range or with a fraction, a\n"
    "setting given twice, a reset, [network] for more than one queue, no setting at\n"
    "all) is named with its line, and nothing is sent to any queue. The queues must be\n"
    "queues of the print server; a queue that fails does not stop the others. One line\n"
    "a queue: queue, model, commands (\\r for a carriage return), result or reason.\n"
    "\n"
    "The profile is UTF-8 text (a byte-order mark is allowed); lines beginning with ;\n"
    "or # are comments. Under [settings], one line a setting: its name as set takes it\n"
    "(or its text in either window's list), = and its value. Under [network], the\n"
    "network card's address, mask, gateway and port (9100 when not given), for one\n"
    "queue only. --template prints every setting with its range and factory value,\n"
    "commented out:\n"
    "\n"
    "  [settings]\n"
    "  cut-position = 5\n"
    "  tear-off = -3\n"
    "  sensor-sensitivity = 12\n"
    "  orientation = bottom-to-top\n"
    "\n"
    "With --converge, run on the print server, each queue is sent only the settings\n"
    "whose delivered value (see state) differs from the profile's command or is\n"
    "unknown, in the profile's order, in one job: a queue with nothing to send is\n"
    "unchanged and gets no job (and needs no power cycle); a queue whose earlier\n"
    "settings job still waits in the print system is not sent another (result\n"
    "waiting; not a failure, as that job is on its way).\n"
    "\n"
    "With --json: {\"profile\", \"dry_run\", \"converge\", \"settings\", \"results\":\n"
    "[{\"queue\", \"model\", \"supported\", \"commands\": [{\"setting\", \"command\",\n"
    "\"command_bytes\"}], \"result\", \"reason\", \"sent_at\"}], \"notice\"}; result as for\n"
    "set, or unchanged or waiting with --converge, sent_at the time in UTC the print\n"
    "system took the job (ISO 8601), or null. With --converge each result also has\n"
    "\"changed\" and \"settings\": [{\"setting\", \"before\" (the delivered value, or null\n"
    "when unknown), \"before_state\", \"after\", \"send\"}].\n"
    "\n"
    "Examples:\n"
    "  varnok-printer apply --template > site.ini\n"
    "  varnok-printer apply site.ini VARNOK_K540_200DPI VARNOK_M4410 --dry-run\n"
    "  varnok-printer apply site.ini $(varnok-printer list --names)\n"
    "  varnok-printer apply --converge site.ini $(varnok-printer list --names)";

struct ApplyWords {
  std::string profile;
  std::vector<std::string> queues;
  bool print_template = false;
  bool converge = false;
  std::string journal;
  DeliveryWords delivery;
  bool json = false;
};

}  // namespace

Command ApplyCommand(CLI::App& app) {
  const auto words = std::make_shared<ApplyWords>();
  CLI::App* apply =
      app.add_subcommand("apply", "Applies a profile's settings to one or more queues");
  apply->add_option("PROFILE", words->profile, "The profile")->type_name("");
  apply->add_option("QUEUE", words->queues, "The queues")->type_name("");
  // Both or --template, checked when run: CLI11's excludes would add a note to the help, and it
  // cannot require positionals only without a flag.
  apply->add_flag("--template", words->print_template,
                  "Print a profile with every setting commented out, to start from; takes no "
                  "profile or queue");
  apply->add_flag("--converge", words->converge,
                  "Send each queue only the settings whose delivered value differs from the "
                  "profile or is unknown, as the print server's journal tells");
  AddJournalOption(*apply, words->journal);
  words->delivery.AddConfigOption(*apply);
  words->delivery.AddDryRunFlag(*apply);
  AddJsonFlag(*apply, words->json);
  apply->footer(Footer({kApplyHelp}));
  return {apply, [words](const Services& services) {
            const CommandOutput output = services.Output(words->json);
            const CliTexts& texts = output.texts();
            if (words->print_template) {
              if (!words->profile.empty() || !words->queues.empty()) {
                throw UsageError(std::string(texts.template_alone));
              }
              PrintProfileTemplate(output);
              return static_cast<int>(ExitStatus::Ok);
            }
            if (words->profile.empty() || words->queues.empty()) {
              throw UsageError(std::string(texts.apply_needs_profile_and_queue));
            }
            const DeliveryOptions options = words->delivery.Options(services);
            const std::optional<std::string> converge_journal =
                words->converge ? std::optional(JournalPath(words->journal)) : std::nullopt;
            return static_cast<int>(ApplyProfile(words->profile, words->queues, options,
                                                 services.print_server, services.spooler, output,
                                                 converge_journal));
          }};
}

}  // namespace varnok::cli
