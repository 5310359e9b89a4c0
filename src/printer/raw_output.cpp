#include <memory>
#include <string>

#include "printer/printer_access.h"

namespace varnok {
namespace {

constexpr std::string_view kDocumentName = "Label";
constexpr std::string_view kNoSuchPrinter =
    "There is no such a printer installed in system!Please install Varnok printer driver before "
    "running this program.";

SendOutcome Refuse(UserMessages& messages, std::string_view queue, const SpoolerFailure& failure) {
  std::string reason =
      failure.reason.empty() ? "error " + std::to_string(failure.status) : failure.reason;
  messages.Show({"Could not send to printer " + std::string(queue) + ": " + reason,
                 std::string(kApplicationTitle), MessageIcon::Exclamation, MessageButtons::Ok});
  return SendOutcome::Refused;
}

}  // namespace

SendOutcome SendRawText(Spooler& spooler, UserMessages& messages, std::string_view queue,
                        std::string_view text) {
  if (spooler.OpenQueue(queue)) {
    messages.Show({std::string(kNoSuchPrinter), std::string(kApplicationTitle), MessageIcon::None,
                   MessageButtons::Ok});
    return SendOutcome::QueueMissing;
  }
  SpoolerFailure failure;
  std::unique_ptr<RawJob> job = spooler.CreateRawJob(queue, kDocumentName, failure);
  if (!job) return Refuse(messages, queue, failure);
  // The whole text in one write; an empty text leaves a job without a document (zero bytes).
  // A job that fails is cancelled when it goes out of scope.
  if (!text.empty() && !job->Write(text)) return Refuse(messages, queue, job->Failure());
  if (!job->Finish()) return Refuse(messages, queue, job->Failure());
  return SendOutcome::Sent;
}

bool QueueCanBeOpened(Spooler& spooler, std::string_view queue) {
  return !spooler.OpenQueue(queue).has_value();
}

}  // namespace varnok
