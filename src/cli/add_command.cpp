#include "cli/add_command.h"

#include <algorithm>

#include "cli/command_error.h"
#include "cli/model_choice.h"
#include "cli/socket_address.h"
#include "cli/terminal_text.h"
#include "config/supported_models.h"
#include "printer/printer_access.h"
#include "printer/queue_name.h"
#include "printer/system_spooler.h"

namespace varnok::cli {
namespace {

constexpr std::string_view kDriverMaker = "VARNOK";

std::string Quoted(std::string_view text) { return "\"" + Visible(text) + "\""; }

std::string QueueName(const AddRequest& request, std::string_view model) {
  const std::string name = request.queue ? *request.queue : ProposedQueueName(model);
  if (!IsCupsQueueName(name)) {
    throw UsageError(Quoted(name) +
                     " cannot name a print queue: use 1 to 127 bytes without blanks, control "
                     "characters, \"/\", \"\\\", \"?\", quotes or \"#\"");
  }
  if (!IsBrandQueueName(name)) {
    throw UsageError(Quoted(name) +
                     " does not begin with \"VARNOK\" or \"Varnok\", so the program's windows "
                     "would not list it; try " +
                     Quoted("VARNOK_" + name));
  }
  return name;
}

std::string DeviceUri(const AddRequest& request) {
  if (request.address) return SocketUri(*request.address);
  const std::string& uri = *request.device_uri;
  const bool plain = std::ranges::none_of(
      uri, [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 127; });
  if (uri.find(':') == std::string::npos || !plain) {
    throw UsageError(Quoted(uri) +
                     " is not a device URI; 'varnok-printer devices' shows the URIs of the "
                     "printers the print system sees, for example usb://… or socket://…");
  }
  return uri;
}

std::string DriverOf(PrintServer& server, std::string_view model) {
  SpoolerFailure failure;
  const auto drivers = server.Drivers(kDriverMaker, failure);
  if (!drivers) {
    throw ServerError("cannot read the driver list of the print system at " + server.Name() + ": " +
                      failure.reason);
  }
  const auto found = std::ranges::find_if(*drivers, [model](const DriverOffer& driver) {
    return SupportedModelNamed(driver.make_and_model) == model;
  });
  if (found == drivers->end()) {
    throw ServerError("the print system at " + server.Name() + " has no driver file for " +
                      std::string(model) +
                      ": install the varnok-utility package on it (its driver files go to "
                      "/usr/share/ppd/varnok-utility)");
  }
  return found->ppd_name;
}

void RefuseExistingQueue(Spooler& spooler, PrintServer& server, const std::string& name) {
  const std::optional<SpoolerFailure> missing = spooler.OpenQueue(name);
  if (!missing) {
    throw UsageError("a queue named " + Quoted(name) +
                     " exists already: choose another name, or add --replace to change it");
  }
  if (!SaysQueueIsMissing(*missing)) {
    throw ServerError("cannot reach the print system at " + server.Name() + ": " + missing->reason);
  }
}

}  // namespace

void AddQueue(const AddRequest& request, Spooler& spooler, PrintServer& server,
              const CommandOutput& output) {
  const std::string_view model = ChosenModel(request.model);
  const std::string uri = DeviceUri(request);
  const std::string name = QueueName(request, model);
  if (!request.replace) RefuseExistingQueue(spooler, server, name);
  const std::string ppd_name = DriverOf(server, model);

  if (const auto failure = server.AddQueue({name, uri, ppd_name, std::string(model)})) {
    if (SaysNotAllowed(*failure)) {
      throw ServerError("you may not add printers to the print system at " + server.Name() +
                        " (it answered: " + failure->reason +
                        "); printers are added by root or members of the group lpadmin: run "
                        "'sudo varnok-printer add …', or ask to be made a member of lpadmin");
    }
    throw ServerError("the print system at " + server.Name() + " did not add the queue " +
                      Quoted(name) + ": " + failure->reason);
  }
  output.out << "Added the queue " << Visible(name) << " for the " << model << " at "
             << Visible(uri) << ".\n";
  if (!request.queue) {
    output.err << "The queue's name was made from the model; give QUEUE to choose another.\n";
  }
}

}  // namespace varnok::cli
