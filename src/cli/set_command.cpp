#include "cli/set_command.h"

#include "cli/json_output.h"
#include "cli/queue_result.h"
#include "cli/table.h"
#include "cli/terminal_text.h"
#include "config/supported_models.h"

namespace varnok::cli {
namespace {

void PrintResults(const SettingWords& setting, const DeliveryOptions& options,
                  const Delivery& delivery, const CommandOutput& output) {
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
           {"reason", OrNull(line.reason)}});
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
    table.Add({line.queue, line.model.value_or(""),
               line.commands.empty() ? "" : line.commands.front(),
               ResultText(line.result, line.reason, output.language)});
  }
  table.Print(output.out);
  if (!delivery.notice.empty()) SayLine(output.err, delivery.notice);
}

}  // namespace

ExitStatus SetSetting(const SettingWords& setting, const DeliveryOptions& options, Spooler& spooler,
                      const CommandOutput& output) {
  const Delivery delivery =
      DeliverSettings({&setting.inputs, 1}, setting.queues, options, spooler, output.language);
  PrintResults(setting, options, delivery, output);
  return AllDelivered(delivery, options) ? ExitStatus::Ok : ExitStatus::Failed;
}

}  // namespace varnok::cli
