#include "printer/cups_spooler.h"

#include <algorithm>

#include "printer/cups_connection.h"
#include "printer/cups_raw_job.h"
#include "printer/queue_order.h"

namespace varnok {
namespace {

// A Get-Printer-Attributes answer, sorted into the outcomes the rest of the program knows.
struct PrinterAnswer {
  DescribeOutcome outcome = DescribeOutcome::CannotOpen;
  IppMessage response;
  SpoolerFailure failure;
};

PrinterAnswer AskPrinter(std::string_view queue, const std::vector<const char*>& attributes,
                         SchedulerConnections& connections, const StepLimits& limits) {
  PrinterAnswer answer;
  if (!IsCupsQueueName(queue)) {
    answer.failure = NoSuchQueue();
    return answer;
  }
  const std::shared_ptr<SchedulerConnection> http = connections.Borrow();
  http->Run(answer.failure, limits, [&] {
    IppMessage request = NewQueueRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, queue);
    AddRequestedAttributes(request.get(), attributes);
    answer.response.reset(cupsDoRequest(http->get(), request.release(), "/"));

    if (Succeeded(answer.response.get())) {
      answer.outcome = DescribeOutcome::Ok;
      return;
    }
    answer.failure =
        RequestFailure(*http, answer.response.get(), "the print system gave no answer");
    const ipp_status_t status =
        answer.response ? ippGetStatusCode(answer.response.get()) : cupsLastError();
    if (answer.failure.no_answer || answer.failure.password) {
      answer.outcome = DescribeOutcome::SizeQueryFailed;  // as for any answer it cannot use
    } else if (status == IPP_STATUS_ERROR_NOT_FOUND ||
               status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) {
      answer.outcome = DescribeOutcome::CannotOpen;
    } else if (answer.response || IsAccessRefusal(status)) {
      answer.outcome = DescribeOutcome::DescriptionUnreadable;
    } else {
      // The request went out but nothing usable came back.
      answer.outcome = DescribeOutcome::SizeQueryFailed;
    }
  });
  return answer;
}

}  // namespace

std::vector<std::string> CupsSpooler::ListQueues(std::optional<SpoolerFailure>& failure) {
  // The names alone. cupsGetDests2 asks for some twenty attributes of every queue, and libcups
  // reads an answer that outgrows its buffer off the socket a field at a time: about 0.1 ms of
  // processor time a queue, which a start-up facing a print server's hundreds of queues waits for.
  // The order is the one cupsGetDests2 gives (printers and classes, instances apart).
  SpoolerFailure problem;
  IppMessage response = AskForQueues(connections_, limits_, {"printer-name"}, problem);
  if (!response) {
    failure = problem;
    return {};
  }
  std::vector<std::string> names;
  for (ipp_attribute_t* attribute = ippFirstAttribute(response.get()); attribute != nullptr;
       attribute = ippNextAttribute(response.get())) {
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

std::optional<SpoolerFailure> CupsSpooler::OpenQueue(std::string_view queue) {
  PrinterAnswer answer = AskPrinter(queue, {"printer-name"}, connections_, limits_);
  if (answer.outcome == DescribeOutcome::Ok) return std::nullopt;
  return answer.failure;
}

QueueDescription CupsSpooler::DescribeQueue(std::string_view queue) {
  PrinterAnswer answer = AskPrinter(queue, {"printer-make-and-model", "printer-is-accepting-jobs"},
                                    connections_, limits_);
  QueueDescription description{answer.outcome, std::nullopt, std::nullopt, answer.failure};
  if (answer.outcome == DescribeOutcome::Ok) {
    ipp_t* response = answer.response.get();
    ipp_attribute_t* attribute = ippFindAttribute(response, "printer-make-and-model", IPP_TAG_ZERO);
    if (const char* text = ippGetString(attribute, 0, nullptr)) {
      description.make_and_model = text;
    }
    if (ipp_attribute_t* accepting =
            ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN)) {
      description.accepting_jobs = ippGetBoolean(accepting, 0) != 0;
    }
  }
  return description;
}

std::unique_ptr<RawJob> CupsSpooler::CreateRawJob(std::string_view queue, std::string_view title,
                                                  SpoolerFailure& failure) {
  if (!IsCupsQueueName(queue)) {
    failure = NoSuchQueue();
    return nullptr;
  }
  // A plain Create-Job: cupsCreateJob would first fetch the printer's full description twice,
  // which costs more than the rest of the send.
  std::string document_name(title);
  std::shared_ptr<SchedulerConnection> http = connections_.Borrow();
  int job_id = 0;
  http->Run(failure, limits_, [&] {
    IppMessage request = NewQueueRequest(IPP_OP_CREATE_JOB, queue);
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                 document_name.c_str());
    IppMessage response(cupsDoRequest(http->get(), request.release(), "/"));
    const int id = ippGetInteger(ippFindAttribute(response.get(), "job-id", IPP_TAG_INTEGER), 0);
    if (!Succeeded(response.get()) || id <= 0) {
      failure = RequestFailure(*http, response.get(), "the print system did not create the job");
      return;
    }
    job_id = id;
  });
  if (job_id <= 0) return nullptr;
  return std::make_unique<CupsRawJob>(std::move(http), limits_, std::string(queue),
                                      std::move(document_name), job_id);
}

}  // namespace varnok
