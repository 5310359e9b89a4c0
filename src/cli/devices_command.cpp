#include "cli/devices_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>
#include <set>

#include "cli/command_error.h"
#include "cli/json_output.h"
#include "cli/server_problem.h"
#include "cli/table.h"
#include "cli/terminal_text.h"
#include "foundation/ascii_case.h"
#include "foundation/message_template.h"
#include "spooler/system_spooler.h"

namespace varnok::cli {
namespace {

bool ContainsBrand(std::string_view text) { return ContainsIgnoringAsciiCase(text, "VARNOK"); }

// Devices without a queue; a backend's bare scheme ("socket") is no printer.
std::vector<Device> FreeDevices(PrintServer& server, int timeout_seconds, const CliTexts& texts) {
  const auto queues = server.Queues();
  SpoolerResult<std::vector<Device>> devices =
      queues ? server.Devices(timeout_seconds) : queues.failure();
  if (!devices) {
    const SpoolerFailure& failure = devices.failure();
    if (SaysNotAllowed(failure)) {
      throw ServerError(
          RightsProblem(texts, texts.devices_rights_action, "devices", failure, server.Name()));
    }
    throw ServerError(ServerProblem(texts, texts.devices_action, failure, server.Name()));
  }
  std::set<std::string, std::less<>> used;
  for (const QueueDetails& queue : *queues) used.insert(queue.device_uri);
  std::erase_if(*devices, [&used](const Device& device) {
    return device.uri.find(':') == std::string::npos || used.contains(device.uri);
  });
  std::ranges::stable_partition(*devices, IsVarnokDevice);
  return std::move(*devices);
}

}  // namespace

bool IsVarnokDevice(const Device& device) {
  return ContainsBrand(device.make_and_model) || ContainsBrand(device.info) ||
         ContainsBrand(device.device_id);
}

void ListDevices(PrintServer& server, int timeout_seconds, const CommandOutput& output) {
  const CliTexts& texts = output.texts();
  const std::vector<Device> devices = FreeDevices(server, timeout_seconds, texts);
  if (output.json) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Device& device : devices) {
      list.push_back({{"uri", device.uri},
                      {"make_and_model", device.make_and_model},
                      {"info", device.info},
                      {"device_id", device.device_id},
                      {"location", device.location},
                      {"class", device.device_class},
                      {"varnok", IsVarnokDevice(device)}});
    }
    return PrintJson(output.out, {{"devices", list}});
  }
  if (devices.empty()) {
    SayLine(output.err, FillIn(texts.no_free_device, {{"server", server.Name()}}));
    return;
  }
  Table table(
      {"", texts.device_uri_heading, texts.make_and_model_heading, texts.description_heading});
  for (const Device& device : devices) {
    table.Add({IsVarnokDevice(device) ? "*" : "", device.uri, device.make_and_model, device.info});
  }
  table.Print(output.out);
  if (IsVarnokDevice(devices.front())) SayLine(output.err, texts.varnok_device_mark);
}

namespace {

constexpr std::string_view kDevicesHelp =
    "Lists the printers the print system can see (by USB, or on the network) that have\n"
    "no queue yet, with their device URI; VARNOK printers come first, marked with *.\n"
    "Use it to find the URI of a printer just plugged in, for add's --device. Most\n"
    "systems let only root and the lpadmin group look.\n"
    "\n"
    "With --json: {\"devices\": [{\"uri\", \"make_and_model\", \"info\", \"device_id\",\n"
    "\"location\", \"class\", \"varnok\"}]}.";

struct DevicesWords {
  int timeout = 10;
  bool json = false;
};

}  // namespace

Command DevicesCommand(CLI::App& app) {
  const auto words = std::make_shared<DevicesWords>();
  CLI::App* devices =
      app.add_subcommand("devices", "Printers the print system sees, not yet added");
  devices->footer(Footer({kDevicesHelp}));
  devices
      ->add_option("--timeout", words->timeout,
                   "How long the print system may look, in seconds, 1 to 300 (default 10)")
      ->check(CLI::Range(1, 300))
      ->option_text("SECONDS");
  AddJsonFlag(*devices, words->json);
  return {devices, [words](const Services& services) {
            ListDevices(services.print_server, words->timeout, services.Output(words->json));
            return static_cast<int>(ExitStatus::Ok);
          }};
}

}  // namespace varnok::cli
