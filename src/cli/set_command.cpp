#include "cli/set_command.h"

#include <CLI/CLI.hpp>
#include <memory>

#include "cli/fleet_texts.h"
#include "cli/items_command.h"
#include "cli/json_output.h"
#include "cli/named_queues.h"
#include "cli/queue_result.h"
#include "cli/table.h"
#include "cli/terminal_text.h"
#include "printer_settings/supported_models.h"

namespace varnok::cli {
namespace {

void PrintResults(const SettingWords& setting, const DeliveryOptions& options,
                  const Delivery& delivery, std::string_view server, const CommandOutput& output) {
  if (output.json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const QueueDelivery& line : delivery.queues) {
      const std::optional<std::string> command =
          line.commands.empty() ? std::nullopt : std::optional(line.commands.front());
      list.push_back(
          {{"queue", line.queue},
           {"model", OrNull(line.model)},
           {"supported",
            line.model ? nlohmann::ordered_json(IsSupportedModel(*line.model)) : nullptr},
           {"command", OrNull(command)},
           {"command_bytes", command ? nlohmann::ordered_json(HexBytes(*command)) : nullptr},
           {"result", ResultKeyword(line.result)},
           {"reason", OrNull(DeliveryReason(line, server, output.language))}});
    }
    return PrintJson(output.out, {{"setting", setting.item->name},
                                  {"dry_run", options.dry_run},
                                  {"results", list},
                                  {"notice", OrNull(delivery.notice)}});
  }
  const CliTexts& texts = output.texts();
  Table table(
      {texts.queue_heading, texts.model_heading, texts.command_heading, texts.result_heading});
  for (const QueueDelivery& line : delivery.queues) {
    table.Add(
        {line.queue, line.model.value_or(""), line.commands.empty() ? "" : line.commands.front(),
         ResultText(line.result, DeliveryReason(line, server, output.language), output.language)});
  }
  table.Print(output.out);
  if (!delivery.notice.empty()) SayLine(output.err, delivery.notice);
}

}  // namespace

ExitStatus SetSetting(const SettingWords& setting, const DeliveryOptions& options, Spooler& spooler,
                      std::string_view server, const CommandOutput& output) {
  const Delivery delivery =
      DeliverSettings({&setting.inputs, 1}, setting.queues, options, spooler, output.language);
  PrintResults(setting, options, delivery, server, output);
  return AllDelivered(delivery, options) ? ExitStatus::Ok : ExitStatus::Failed;
}

namespace {

constexpr std::string_view kIntroduction =
    "Sends each queue exactly what the Chinese configuration window's OK sends: the\n"
    "model is read from the queue's driver, the model's correction from the settings\n"
    "file is added, the command goes as one raw job titled \"Label\". Nothing is sent\n"
    "to a model that is not supported. Unlike the window, a number outside the\n"
    "setting's range or with a fraction is refused. The queues must be queues of the\n"
    "print server (a queue named twice, in any letter case, gets the setting once);\n"
    "every queue is checked before the first is sent to, and a queue that fails does\n"
    "not stop the others. One line a queue: queue, model, command (\\r for a carriage\n"
    "return), result or reason.\n"
    "\n"
    "Settings:\n";

constexpr std::string_view kExamples =
    "\n"
    "With --json: {\"setting\", \"dry_run\", \"results\": [{\"queue\", \"model\", \"supported\",\n"
    "\"command\", \"command_bytes\", \"result\", \"reason\"}], \"notice\"}; result is sent,\n"
    "not-sent, would-send or would-not-send.\n"
    "\n"
    "Examples:\n"
    "  varnok-printer set vertical-reflective 12 VARNOK_K540_200DPI VARNOK_M4410\n"
    "  varnok-printer set orientation top-to-bottom VARNOK_K540_200DPI\n"
    "  varnok-printer set network --address 192.168.1.20 --mask 255.255.255.0 \\\n"
    "      --gateway 192.168.1.1 VARNOK_K540_200DPI";

struct SetWords {
  std::vector<std::string> words;  // the setting, its value if any, the queues
  NetworkOptions network;
  DeliveryWords delivery;
  bool json = false;
};

}  // namespace

Command SetCommand(CLI::App& app) {
  const auto words = std::make_shared<SetWords>();
  CLI::App* set = app.add_subcommand("set", "Applies one setting to one or more queues");
  set->add_option("SETTING [VALUE] QUEUE", words->words,
                  "The setting (its name below, or its text in either window's list), its value "
                  "when it takes one, then the queues")
      ->option_text("...")
      ->required();
  NetworkOptions& network = words->network;
  set->add_option("--address", network.address, "network: the printer's IP address")
      ->type_name("A.B.C.D");
  set->add_option("--mask", network.mask, "network: the subnet mask")->type_name("A.B.C.D");
  set->add_option("--gateway", network.gateway, "network: the gateway")->type_name("A.B.C.D");
  set->add_option("--port", network.port, "network: the printer's port (default 9100)")
      ->type_name("PORT");
  words->delivery.AddConfigOption(*set);
  words->delivery.AddDryRunFlag(*set);
  AddJsonFlag(*set, words->json);
  set->footer(Footer({std::string(kIntroduction) + ItemsHelp() + std::string(kExamples)}));
  return {set, [words](const Services& services) {
            SettingWords setting =
                ReadSettingWords(words->words, words->network, services.language);
            const DeliveryOptions options = words->delivery.Options(services);
            setting.queues = NamedQueues(setting.queues, services.print_server, services.language);
            return static_cast<int>(SetSetting(setting, options, services.spooler,
                                               services.print_server.Name(),
                                               services.Output(words->json)));
          }};
}

}  // namespace varnok::cli
