#include "spooler/cups_print_server.h"

#include <algorithm>
#include <map>

#include "spooler/cups_connection.h"
#include "spooler/queue_order.h"

namespace varnok {
namespace {

// One group of an answer (a printer, a device or a driver file): its attributes by name.
class Group {
 public:
  void Add(ipp_attribute_t* attribute) { by_name_.emplace(ippGetName(attribute), attribute); }

  std::optional<std::string> OptionalText(std::string_view name) const {
    const auto found = by_name_.find(name);
    if (found == by_name_.end()) return std::nullopt;
    const char* text = ippGetString(found->second, 0, nullptr);
    return text != nullptr ? text : "";
  }
  std::string Text(std::string_view name) const { return OptionalText(name).value_or(""); }
  std::int64_t Integer(std::string_view name) const {
    const auto found = by_name_.find(name);
    return found != by_name_.end() ? ippGetInteger(found->second, 0) : 0;
  }
  bool Flag(std::string_view name) const {
    const auto found = by_name_.find(name);
    return found != by_name_.end() && ippGetBoolean(found->second, 0) != 0;
  }

 private:
  std::map<std::string_view, ipp_attribute_t*, std::less<>> by_name_;
};

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
    groups.back().Add(attribute);
  }
  return groups;
}

// An administrative request about one queue.
SpoolerResult<void> ChangeQueue(SchedulerConnections& connections, const StepLimits& limits,
                                IppMessage request) {
  const SpoolerResult<IppMessage> response =
      AskOnce(connections, limits, std::move(request), "/admin/", Asking::Change);
  if (!response) return response.failure();
  return {};
}

}  // namespace

std::string CupsPrintServer::Name() { return SchedulerName(); }

SpoolerResult<std::vector<QueueDetails>> CupsPrintServer::Queues() {
  const SpoolerResult<IppMessage> response = AskForQueues(
      connections_, limits_,
      {"printer-name", "printer-make-and-model", "device-uri", "printer-is-accepting-jobs"});
  if (!response) return response.failure();
  std::vector<QueueDetails> queues;
  for (const Group& group : GroupsOf(response->get(), IPP_TAG_PRINTER)) {
    QueueDetails queue{group.Text("printer-name"), group.OptionalText("printer-make-and-model"),
                       group.Text("device-uri"), group.Flag("printer-is-accepting-jobs")};
    if (!queue.name.empty()) queues.push_back(std::move(queue));
  }
  std::ranges::sort(queues, ComesBeforeInCupsOrder, &QueueDetails::name);
  return queues;
}

SpoolerResult<std::vector<Device>> CupsPrintServer::Devices(int timeout_seconds) {
  IppMessage request(ippNewRequest(IPP_OP_CUPS_GET_DEVICES));
  ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "timeout", timeout_seconds);
  const SpoolerResult<IppMessage> response =
      AskOnce(connections_, DeviceSearchLimits(std::chrono::seconds(timeout_seconds)),
              std::move(request), "/", Asking::List);
  if (!response) return response.failure();
  std::vector<Device> devices;
  for (const Group& group : GroupsOf(response->get(), IPP_TAG_PRINTER)) {
    Device device{
        group.Text("device-class"), group.Text("device-uri"), group.Text("device-make-and-model"),
        group.Text("device-info"),  group.Text("device-id"),  group.Text("device-location")};
    if (!device.uri.empty()) devices.push_back(std::move(device));
  }
  return devices;
}

SpoolerResult<std::vector<DriverOffer>> CupsPrintServer::Drivers(std::string_view make) {
  IppMessage request(ippNewRequest(IPP_OP_CUPS_GET_PPDS));
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_TEXT, "ppd-make", nullptr,
               std::string(make).c_str());
  AddRequestedAttributes(request.get(), {"ppd-name", "ppd-make-and-model"});
  const SpoolerResult<IppMessage> response =
      AskOnce(connections_, kDriverLimits, std::move(request), "/", Asking::List);
  if (!response) return response.failure();
  std::vector<DriverOffer> drivers;
  for (const Group& group : GroupsOf(response->get(), IPP_TAG_PRINTER)) {
    DriverOffer driver{group.Text("ppd-name"), group.Text("ppd-make-and-model")};
    if (!driver.ppd_name.empty()) drivers.push_back(std::move(driver));
  }
  return drivers;
}

SpoolerResult<void> CupsPrintServer::AddQueue(const NewQueue& queue) {
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
  // The scheduler copies the driver file through the same program that lists them.
  return ChangeQueue(connections_, kDriverLimits, std::move(request));
}

SpoolerResult<void> CupsPrintServer::RemoveQueue(std::string_view queue) {
  if (!IsCupsQueueName(queue)) return NoSuchQueue();
  return ChangeQueue(connections_, limits_, NewQueueRequest(IPP_OP_CUPS_DELETE_PRINTER, queue));
}

SpoolerResult<void> CupsPrintServer::ChangeDevice(std::string_view queue,
                                                  std::string_view device_uri) {
  if (!IsCupsQueueName(queue)) return NoSuchQueue();
  IppMessage request = NewQueueRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER, queue);
  ippAddString(request.get(), IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr,
               std::string(device_uri).c_str());
  return ChangeQueue(connections_, limits_, std::move(request));
}

SpoolerResult<std::vector<UnfinishedJob>> CupsPrintServer::UnfinishedJobs() {
  IppMessage request(ippNewRequest(IPP_OP_GET_JOBS));
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
               "ipp://localhost/");
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr,
               "not-completed");
  AddRequestedAttributes(request.get(), {"job-id", "job-name", "job-k-octets", "job-printer-uri"});
  const SpoolerResult<IppMessage> response =
      AskOnce(connections_, limits_, std::move(request), "/", Asking::List);
  if (!response) return response.failure();
  std::vector<UnfinishedJob> jobs;
  for (const Group& group : GroupsOf(response->get(), IPP_TAG_JOB)) {
    // The queue is the last part of the job's printer URI (ipp://host/printers/QUEUE).
    const std::string printer = group.Text("job-printer-uri");
    UnfinishedJob job{printer.substr(printer.rfind('/') + 1), group.Integer("job-id"),
                      group.Text("job-name"), group.Integer("job-k-octets")};
    if (job.id > 0) jobs.push_back(std::move(job));
  }
  return jobs;
}

}  // namespace varnok
