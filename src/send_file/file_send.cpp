#include "send_file/file_send.h"

#include "foundation/blanks.h"
#include "send_file/send_path.h"
#include "send_file/transfer_messages.h"

namespace varnok {

FileSendOutcome SendFile(LabelPrinterSdk& sdk, UserMessages& messages, std::string_view printer,
                         std::string_view path_text, SendProgress& progress,
                         bool printer_list_failed) {
  if (path_text.empty()) {
    messages.Show(SelectFileNotice());
    return {SendFileResult::NothingToSend, std::nullopt};
  }
  if (printer.empty() && printer_list_failed) {
    messages.Show(PrinterListFailureMessage());
    return {SendFileResult::NotSent, std::nullopt};
  }
  // The calls go in this order without checks between them: a failure makes the rest no-ops.
  sdk.OpenPort(printer);
  sdk.VNX_ClearBuffer();
  sdk.VNX_SendFile(TrimBlanks(path_text), progress);
  sdk.VNX_PrintLabel(0, 0);
  sdk.ClosePort();

  const std::optional<SdkFailure>& failure = sdk.Failure();
  if (!failure) return {SendFileResult::Sent, std::nullopt};
  messages.Show(SendFailureMessage(*failure));
  return {SendFileResult::NotSent, failure};
}

}  // namespace varnok
