#include "transfer/file_send.h"

#include "settings/blanks.h"
#include "transfer/send_path.h"
#include "transfer/transfer_messages.h"

namespace varnok {

SendFileResult SendFile(LabelPrinterSdk& sdk, UserMessages& messages, std::string_view printer,
                        std::string_view path_text, SendProgress& progress,
                        const std::optional<SpoolerFailure>& printer_list_failure) {
  if (path_text.empty()) {
    messages.Show(SelectFileNotice());
    return SendFileResult::NothingToSend;
  }
  if (printer.empty() && printer_list_failure) {
    messages.Show(PrinterListFailureMessage());
    return SendFileResult::NotSent;
  }
  // The calls go in this order without checks between them: a failure makes the rest no-ops.
  sdk.OpenPort(printer);
  sdk.VNX_ClearBuffer();
  sdk.VNX_SendFile(TrimBlanks(path_text), progress);
  sdk.VNX_PrintLabel(0, 0);
  sdk.ClosePort();

  const auto& failure = sdk.Failure();
  if (!failure) return SendFileResult::Sent;
  messages.Show(SendFailureMessage(*failure));
  return SendFileResult::NotSent;
}

}  // namespace varnok
