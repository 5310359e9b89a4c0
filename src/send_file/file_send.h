#pragma once

#include <optional>
#include <string_view>

#include "spooler/label_printer/label_printer_sdk.h"
#include "spooler/message_boxes.h"

namespace varnok {

enum class SendFileResult {
  NothingToSend,  // the path box was empty; the user was asked to choose a file
  Sent,           // the printer's queue holds the whole file as one job
  NotSent,        // failed or cancelled; the user has been told, the printer receives nothing
};

// How one Send ended, with why when the SDK calls failed (and the spooler's answer, when that
// was the cause).
struct FileSendOutcome {
  SendFileResult result = SendFileResult::NotSent;
  std::optional<SdkFailure> failure;
};

// One Send of the send-file window. An empty path box only brings the notice; so does an empty
// printer name when the window could not list the printers (printer_list_failed). Otherwise the
// five SDK calls are made in their fixed order with the path's surrounding blanks removed,
// and a failure or cancellation is shown to the user.
FileSendOutcome SendFile(LabelPrinterSdk& sdk, UserMessages& messages, std::string_view printer,
                         std::string_view path_text, SendProgress& progress,
                         bool printer_list_failed = false);

}  // namespace varnok
