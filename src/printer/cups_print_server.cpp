#include "printer/cups_print_server.h"

#include <algorithm>
#include <initializer_list>

#include "printer/cups_connection.h"
#include "printer/queue_order.h"

namespace varnok {
namespace {

using Group = std::vector<ipp_attribute_t*>;

std::string StringOf(ipp_attribute_t* attribute) {
  const char* text = ippGetString(attribute, 0, nullptr);
  return text != nullptr ? text : "";
}

// The answer to the request, or nullptr with the failure when there is none or it is an error.
IppMessage AskOn(const SchedulerConnection& http, IppMessage request, const char* resource,
                 SpoolerFailure& failure) {
  IppMessage response(cupsDoRequest(http.get(), request.release(), resource));
  if (!response || !IsSuccess(cupsLastError())) {
    failure = RequestFailure(http, "the print system gave no answer");
    return nullptr;
  }
  return response;
}

IppMessage Ask(IppMessage request, const char* resource, SpoolerFailure& failure) {
  SchedulerConnection http = ConnectToScheduler(failure);
  if (!http) return nullptr;
  return AskOn(http, std::move(request), resource, failure);
}

// The answer's groups of one kind (a group a printer, or a driver file), each as its attributes.
std::vector<Group> GroupsOf(ipp_t* response, ipp_tag_t kind) {
  std::vector<Group> groups;
  bool open = false;
  for (ipp_attribute_t* attribute = ippFirstAttribute(response); attribute != nullptr;
       attribute = ippNextAttribute(response)) {
    // Groups of the same kind are parted by a separator without a name.
    if (ippGetGroupTag(attribute) != kind || ippGetName(attribute) == nullptr) {
      open = false;
      continue;
    }
    if (!open) groups.emplace_back();
    open = true;
    groups.back().push_back(attribute);
  }
  return groups;
}

void AskFor(ipp_t* request, std::initializer_list<const char*> names) {
  const std::vector<const char*> list(names);
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(list.size()), nullptr, list.data());
}

}  // namespace

std::string CupsPrintServer::Name() { return cupsServer(); }

std::optional<std::vector<QueueDetails>> CupsPrintServer::Queues(SpoolerFailure& failure) {
  SchedulerConnection http = ConnectToScheduler(failure);
  if (!http) return std::nullopt;
  IppMessage response =
      AskOn(http,
            NewQueueListRequest(http, {"printer-name", "printer-make-and-model", "device-uri",
                                       "printer-is-accepting-jobs"}),
            "/", failure);
  if (!response) return std::nullopt;
  std::vector<QueueDetails> queues;
  for (const Group& group : GroupsOf(response.get(), IPP_TAG_PRINTER)) {
    QueueDetails queue;
    for (ipp_attribute_t* attribute : group) {
      const std::string_view name = ippGetName(attribute);
      if (name == "printer-name") queue.name = StringOf(attribute);
      if (name == "printer-make-and-model") queue.make_and_model = StringOf(attribute);
      if (name == "device-uri") queue.device_uri = StringOf(attribute);
      if (name == "printer-is-accepting-jobs") queue.accepting_jobs = ippGetBoolean(attribute, 0);
    }
    if (!queue.name.empty()) queues.push_back(std::move(queue));
  }
  std::ranges::sort(queues, ComesBeforeInCupsOrder, &QueueDetails::name);
  return queues;
}

std::optional<std::vector<Device>> CupsPrintServer::Devices(int timeout_seconds,
                                                            SpoolerFailure& failure) {
  SchedulerConnection http = ConnectToScheduler(failure);
  if (!http) return std::nullopt;
  // The server answers once its backends have had their time.
  http.StartStep(std::chrono::seconds(timeout_seconds));
  IppMessage request(ippNewRequest(IPP_OP_CUPS_GET_DEVICES));
  ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "timeout", timeout_seconds);
  IppMessage response = AskOn(http, std::move(request), "/", failure);
  if (!response) return std::nullopt;
  std::vector<Device> devices;
  for (const Group& group : GroupsOf(response.get(), IPP_TAG_PRINTER)) {
    Device device;
    for (ipp_attribute_t* attribute : group) {
      const std::string_view name = ippGetName(attribute);
      if (name == "device-class") device.device_class = StringOf(attribute);
      if (name == "device-uri") device.uri = StringOf(attribute);
      if (name == "device-make-and-model") device.make_and_model = StringOf(attribute);
      if (name == "device-info") device.info = StringOf(attribute);
      if (name == "device-id") device.device_id = StringOf(attribute);
      if (name == "device-location") device.location = StringOf(attribute);
    }
    if (!device.uri.empty()) devices.push_back(std::move(device));
  }
  return devices;
}

std::optional<std::vector<DriverOffer>> CupsPrintServer::Drivers(std::string_view make,
                                                                 SpoolerFailure& failure) {
  IppMessage request(ippNewRequest(IPP_OP_CUPS_GET_PPDS));
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_TEXT, "ppd-make", nullptr,
               std::string(make).c_str());
  AskFor(request.get(), {"ppd-name", "ppd-make-and-model"});
  IppMessage response = Ask(std::move(request), "/", failure);
  if (!response) return std::nullopt;
  std::vector<DriverOffer> drivers;
  for (const Group& group : GroupsOf(response.get(), IPP_TAG_PRINTER)) {
    DriverOffer driver;
    for (ipp_attribute_t* attribute : group) {
      const std::string_view name = ippGetName(attribute);
      if (name == "ppd-name") driver.ppd_name = StringOf(attribute);
      if (name == "ppd-make-and-model") driver.make_and_model = StringOf(attribute);
    }
    if (!driver.ppd_name.empty()) drivers.push_back(std::move(driver));
  }
  return drivers;
}

std::optional<SpoolerFailure> CupsPrintServer::AddQueue(const NewQueue& queue) {
  if (!IsCupsQueueName(queue.name)) return NoSuchQueue();
  IppMessage request = NewQueueRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER, queue.name);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "ppd-name", nullptr,
               queue.ppd_name.c_str());
  ippAddString(request.get(), IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr,
               queue.device_uri.c_str());
  ippAddString(request.get(), IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-info", nullptr,
               queue.info.c_str());
  // Made ready in the same request, as `lpadmin -E` does.
  ippAddBoolean(request.get(), IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
  ippAddInteger(request.get(), IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
  SpoolerFailure failure;
  if (!Ask(std::move(request), "/admin/", failure)) return failure;
  return std::nullopt;
}

}  // namespace varnok
