#include "cli/add_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>

#include "cli/command_error.h"
#include "cli/json_output.h"
#include "cli/model_choice.h"
#include "cli/named_queues.h"
#include "cli/server_problem.h"
#include "cli/socket_address.h"
#include "cli/terminal_text.h"
#include "fleet/journaled_device.h"
#include "foundation/message_template.h"
#include "printer_settings/supported_models.h"
#include "spooler/printer_access.h"
#include "spooler/queue_name.h"
#include "spooler/system_spooler.h"

namespace varnok::cli {
namespace {

constexpr std::string_view kDriverMaker = "VARNOK";

std::string QueueName(const AddRequest& request, std::string_view model, const CliTexts& texts) {
  const std::string name = request.queue ? *request.queue : ProposedQueueName(model);
  if (!IsCupsQueueName(name)) throw UsageError(FillIn(texts.not_a_queue_name, {{"name", name}}));
  if (!IsBrandQueueName(name)) {
    throw UsageError(
        FillIn(texts.not_a_brand_name, {{"name", name}, {"suggestion", "VARNOK_" + name}}));
  }
  return name;
}

std::string DeviceUri(const AddRequest& request, Language language) {
  if (request.address) return SocketUri(*request.address, language);
  const std::string& uri = *request.device_uri;
  const bool plain = std::ranges::none_of(
      uri, [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 127; });
  if (uri.find(':') == std::string::npos || !plain) {
    throw UsageError(FillIn(CliTextsIn(language).not_a_device_uri, {{"uri", uri}}));
  }
  return uri;
}

std::string DriverOf(PrintServer& server, std::string_view model, const CliTexts& texts) {
  const auto drivers = server.Drivers(kDriverMaker);
  if (!drivers) {
    throw ServerError(ServerProblem(texts, texts.drivers_action, drivers.failure(), server.Name()));
  }
  const auto found = std::ranges::find_if(*drivers, [model](const DriverOffer& driver) {
    return SupportedModelNamed(driver.make_and_model) == model;
  });
  if (found == drivers->end()) {
    throw ServerError(
        FillIn(texts.no_driver_file, {{"server", server.Name()}, {"model", ListedModel(model)}}));
  }
  return found->ppd_name;
}

}  // namespace

void AddQueue(const AddRequest& request, PrintServer& server, const CommandOutput& output) {
  const CliTexts& texts = output.texts();
  const std::string_view model = ChosenModel(request.model, output.language);
  const std::string printer_uri = DeviceUri(request, output.language);
  const std::string uri = request.journal ? JournaledDeviceUri(printer_uri) : printer_uri;
  std::string name = QueueName(request, model, texts);
  // CUPS takes a name in another letter case for the same queue: that queue is the one changed.
  const std::optional<std::string> existing =
      FindQueue(ServerQueueNames(server, output.language), name);
  if (existing && !request.replace) {
    throw UsageError(FillIn(texts.queue_exists, {{"name", *existing}}));
  }
  if (existing) name = *existing;
  const std::string ppd_name = DriverOf(server, model, texts);
  const std::string listed_model = ListedModel(model);

  if (!request.dry_run) {
    if (const auto added = server.AddQueue({name, uri, ppd_name, std::string(model)}); !added) {
      const SpoolerFailure& failure = added.failure();
      if (SaysNotAllowed(failure)) {
        throw ServerError(
            RightsProblem(texts, texts.add_rights_action, "add", failure, server.Name()));
      }
      throw ServerError(ServerProblem(texts, FillIn(texts.add_action, {{"queue", name}}), failure,
                                      server.Name()));
    }
  }
  if (output.json) {
    PrintJson(output.out, {{"queue", name},
                           {"model", listed_model},
                           {"device_uri", uri},
                           {"existed", existing.has_value()},
                           {"dry_run", request.dry_run}});
  } else {
    const std::string_view done = request.dry_run
                                      ? (existing ? texts.would_replace : texts.would_add)
                                      : (existing ? texts.replaced : texts.added);
    SayLine(output.out, FillIn(done, {{"queue", name}, {"model", listed_model}, {"uri", uri}}));
  }
  if (!request.queue) SayLine(output.err, texts.name_made);
}

namespace {

constexpr std::string_view kAddHelp =
    "Creates a queue with the model's driver file, enabled and accepting jobs. Give\n"
    "exactly one of --device and --address. With --replace, the queue of that name\n"
    "(in any letter case) is changed. Only root and the lpadmin group may add\n"
    "printers. --dry-run checks all of it, the driver file on the print server\n"
    "included, and changes nothing.\n"
    "\n"
    "With --json: {\"queue\", \"model\", \"device_uri\", \"existed\", \"dry_run\"}, the\n"
    "queue's name as the print server spells it and the model as list shows it.\n"
    "\n"
    "Example:\n"
    "  varnok-printer add --model \"VARNOK K540 200DPI\" --address 192.168.1.168";

struct AddWords {
  AddRequest request;
  std::string queue;
  std::string device;
  std::string address;
  bool no_journal = false;
  bool json = false;
};

}  // namespace

Command AddCommand(CLI::App& app) {
  const auto words = std::make_shared<AddWords>();
  CLI::App* add = app.add_subcommand("add", "Adds a printer queue with the model's driver");
  add->add_option("QUEUE", words->queue,
                  "The queue's name; it must begin with VARNOK or Varnok so that the program's "
                  "windows list it. Without it a name is made from the model, e.g. "
                  "VARNOK_K540_200DPI")
      ->type_name("");
  add->add_option("--model", words->request.model,
                  "The printer's model, as 'varnok-printer models' lists it (letter case does "
                  "not matter)")
      ->type_name("MODEL")
      ->required();
  CLI::Option_group* printer = add->add_option_group("Printer", "Where the printer is");
  printer->require_option(1);
  CLI::Option* device =
      printer
          ->add_option("--device", words->device,
                       "The printer's device URI, as 'varnok-printer devices' shows it")
          ->option_text("URI");
  CLI::Option* address =
      printer
          ->add_option(
              "--address", words->address,
              "A network printer's address: stands for socket://HOST:PORT, port 9100 when not "
              "given")
          ->option_text("HOST[:PORT]");
  add->add_flag("--replace", words->request.replace,
                "Change the queue if one of that name exists already");
  add->add_flag("--no-journal", words->no_journal,
                "Send the queue's jobs straight to the printer, not through the journal");
  add->add_flag("--dry-run", words->request.dry_run,
                "Check everything and show what would be done; change nothing");
  AddJsonFlag(*add, words->json);
  add->footer(Footer({kAddHelp}));
  return {add, [words, device, address](const Services& services) {
            AddRequest request = words->request;
            if (!words->queue.empty()) request.queue = words->queue;
            if (device->count() > 0) request.device_uri = words->device;
            if (address->count() > 0) request.address = words->address;
            request.journal = !words->no_journal;
            AddQueue(request, services.print_server, services.Output(words->json));
            return static_cast<int>(ExitStatus::Ok);
          }};
}

}  // namespace varnok::cli
