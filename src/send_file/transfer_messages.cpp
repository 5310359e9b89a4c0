#include "send_file/transfer_messages.h"

#include <string>

namespace varnok {

namespace {

Message Warning(std::string text) {
  return {std::move(text), std::string(kApplicationTitle), MessageIcon::Exclamation,
          MessageButtons::Ok};
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// " (reason)" when the system gave one.
std::string Because(std::string_view reason) {
  return reason.empty() ? std::string() : " (" + std::string(reason) + ")";
}

}  // namespace

Message SelectFileNotice() {
  return {"Please select a file,at first!", "Notice", MessageIcon::Exclamation, MessageButtons::Ok};
}

Message PrinterListFailureMessage() {
  return Warning(
      "The print system did not answer when the printers were listed, so there is no printer to "
      "send the file to. The file was not sent. Check that the print system is running, then "
      "close this window and open it again.");
}

Message SendFailureMessage(const SdkFailure& failure) {
  const std::string printer = Quoted(failure.printer);
  const std::string file = Quoted(failure.path);
  switch (failure.error) {
    case SdkError::EmptyPrinterName:
      return Warning("No printer is selected under \"Model:\". The file was not sent.");
    case SdkError::NoSuchPrinter:
      return Warning("The printer " + printer + " cannot be reached" + Because(failure.reason) +
                     ". The file was not sent.");
    case SdkError::FileMissing:
      if (failure.path.empty()) return Warning("No file name was given. Nothing was sent.");
      return Warning("The file " + file + " does not exist. Nothing was sent.");
    case SdkError::FileUnreadable:
      return Warning("The file " + file + " cannot be read" + Because(failure.reason) +
                     ". Nothing was sent.");
    case SdkError::FileEmpty:
      return Warning("The file " + file + " is empty. Nothing was sent.");
    case SdkError::JobRefused:
      return Warning("The printer " + printer + " did not take the file " + file +
                     Because(failure.reason) + ". Nothing was printed.");
    case SdkError::NoAnswer:
      return Warning("The print system did not answer in time about the printer " + printer +
                     ". The file may not have been sent: check the print system and the printer, "
                     "then try again.");
    case SdkError::Cancelled:
      break;
  }
  return Warning("Sending the file " + file + " to the printer " + printer +
                 " was cancelled. Nothing was printed.");
}

Message UnreadableDriveMessage(std::string_view drive, std::string_view reason) {
  return Warning("The drive " + Quoted(drive) + " cannot be read" + Because(reason) + ".");
}

Message UnreadableFolderMessage(std::string_view folder, std::string_view reason) {
  return Warning("The folder " + Quoted(folder) + " cannot be read" + Because(reason) + ".");
}

}  // namespace varnok
