#include "spooler/cups_spooler.h"

#include <algorithm>

#include "spooler/cups_connection.h"
#include "spooler/cups_raw_job.h"
#include "spooler/queue_order.h"

namespace varnok {
namespace {

// A Get-Printer-Attributes answer, or its failure sorted into those the rest of the program
// knows.
SpoolerResult<IppMessage> AskPrinter(std::string_view queue,
                                     const std::vector<const char*>& attributes,
                                     SchedulerConnections& connections, const StepLimits& limits) {
  if (!IsCupsQueueName(queue)) return NoSuchQueue();
  const std::shared_ptr<SchedulerConnection> http = connections.Borrow();
  return http->Run(limits, [&]() -> SpoolerResult<IppMessage> {
    IppMessage request = NewQueueRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, queue);
    AddRequestedAttributes(request.get(), attributes);
    IppMessage response(cupsDoRequest(http->get(), request.release(), "/"));
    if (Succeeded(response.get())) return response;

    SpoolerFailure failure =
        RequestFailure(*http, response.get(), "the print system gave no answer");
    const ipp_status_t status = response ? ippGetStatusCode(response.get()) : cupsLastError();
    if (failure.no_answer || failure.password) {
      failure.describe = DescribeFailure::SizeQueryFailed;  // as for any answer it cannot use
    } else if (status == IPP_STATUS_ERROR_NOT_FOUND ||
               status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) {
      failure.describe = DescribeFailure::CannotOpen;
    } else if (response || IsAccessRefusal(status)) {
      failure.describe = DescribeFailure::DescriptionUnreadable;
    } else {
      // The request went out but nothing usable came back.
      failure.describe = DescribeFailure::SizeQueryFailed;
    }
    return failure;
  });
}

}  // namespace

SpoolerResult<std::vector<std::string>> CupsSpooler::ListQueues() {
  // The names alone. cupsGetDests2 asks for some twenty attributes of every queue, and libcups
  // reads an answer that outgrows its buffer off the socket a field at a time: about 0.1 ms of
  // processor time a queue, which a start-up facing a print server's hundreds of queues waits for.
  // The order is the one cupsGetDests2 gives (printers and classes, instances apart).
  const SpoolerResult<IppMessage> response = AskForQueues(connections_, limits_, {"printer-name"});
  if (!response) return response.failure();
  ipp_t* answer = response->get();
  std::vector<std::string> names;
  for (ipp_attribute_t* attribute = ippFirstAttribute(answer); attribute != nullptr;
       attribute = ippNextAttribute(answer)) {
    const char* name = ippGetName(attribute);
    if (ippGetGroupTag(attribute) != IPP_TAG_PRINTER || name == nullptr ||
        std::string_view(name) != "printer-name") {
      continue;
    }
    if (const char* queue = ippGetString(attribute, 0, nullptr)) names.emplace_back(queue);
  }
  std::ranges::sort(names, ComesBeforeInCupsOrder);
  return names;
}

SpoolerResult<void> CupsSpooler::OpenQueue(std::string_view queue) {
  const SpoolerResult<IppMessage> answer =
      AskPrinter(queue, {"printer-name"}, connections_, limits_);
  if (!answer) return answer.failure();
  return {};
}

SpoolerResult<QueueDescription> CupsSpooler::DescribeQueue(std::string_view queue) {
  const SpoolerResult<IppMessage> answer = AskPrinter(
      queue, {"printer-make-and-model", "printer-is-accepting-jobs"}, connections_, limits_);
  if (!answer) return answer.failure();
  ipp_t* response = answer->get();
  QueueDescription description;
  ipp_attribute_t* attribute = ippFindAttribute(response, "printer-make-and-model", IPP_TAG_ZERO);
  if (const char* text = ippGetString(attribute, 0, nullptr)) description.make_and_model = text;
  if (ipp_attribute_t* accepting =
          ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN)) {
    description.accepting_jobs = ippGetBoolean(accepting, 0) != 0;
  }
  return description;
}

SpoolerResult<std::unique_ptr<RawJob>> CupsSpooler::CreateRawJob(std::string_view queue,
                                                                 std::string_view title) {
  if (!IsCupsQueueName(queue)) return NoSuchQueue();
  // A plain Create-Job: cupsCreateJob would first fetch the printer's full description twice,
  // which costs more than the rest of the send.
  std::string document_name(title);
  std::shared_ptr<SchedulerConnection> http = connections_.Borrow();
  const SpoolerResult<int> job_id = http->Run(limits_, [&]() -> SpoolerResult<int> {
    IppMessage request = NewQueueRequest(IPP_OP_CREATE_JOB, queue);
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                 document_name.c_str());
    IppMessage response(cupsDoRequest(http->get(), request.release(), "/"));
    const int id = ippGetInteger(ippFindAttribute(response.get(), "job-id", IPP_TAG_INTEGER), 0);
    if (!Succeeded(response.get()) || id <= 0) {
      return RequestFailure(*http, response.get(), "the print system did not create the job");
    }
    return id;
  });
  if (!job_id) return job_id.failure();
  return std::make_unique<CupsRawJob>(std::move(http), limits_, std::string(queue),
                                      std::move(document_name), *job_id);
}

}  // namespace varnok
