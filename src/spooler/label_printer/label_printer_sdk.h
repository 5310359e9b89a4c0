#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "spooler/spooler.h"

namespace varnok {

// Why a send through the label-printer calls went wrong.
enum class SdkError {
  EmptyPrinterName,  // OpenPort was given no printer name
  NoSuchPrinter,     // the printer's queue cannot be opened
  FileMissing,       // the file to send does not exist (or no path was given)
  FileUnreadable,    // the file exists but cannot be read (a folder, no permission, read error)
  FileEmpty,         // the file holds nothing: the print system would make a job of nothing
  JobRefused,        // the spooler refused the job or failed while taking it
  NoAnswer,          // the spooler did not answer in time
  Cancelled,         // the user stopped the send; nothing reaches the printer
};

struct SdkFailure {
  SdkError error = SdkError::NoSuchPrinter;
  std::string printer;  // the name given to OpenPort
  std::string path;     // the path given to VNX_SendFile, when the send got that far
  std::string reason;   // the spooler's or the system's own explanation; may be empty
  std::optional<SpoolerFailure> spooler_failure = std::nullopt;  // the spooler's, when it failed

  friend bool operator==(const SdkFailure&, const SdkFailure&) = default;
};

// Told how far a file send has got, and asked whether to go on.
class SendProgress {
 public:
  virtual ~SendProgress() = default;
  // Called before the first bytes go out and after every chunk; false cancels the send.
  virtual bool Continue(std::uint64_t bytes_sent, std::uint64_t total_bytes) = 0;
};

// The label-printer SDK calls used to send a file, made in this order for one send:
// OpenPort, VNX_ClearBuffer, VNX_SendFile, VNX_PrintLabel, ClosePort.
// The first failure sticks: every later call of the same send does nothing, so the caller can
// make the whole sequence and look at Failure() once at the end. OpenPort starts afresh.
class LabelPrinterSdk {
 public:
  virtual ~LabelPrinterSdk() = default;
  virtual void OpenPort(std::string_view printer_name) = 0;
  virtual void VNX_ClearBuffer() = 0;
  // Sends the file's bytes unchanged; progress is asked after every chunk.
  virtual void VNX_SendFile(std::string_view path, SendProgress& progress) = 0;
  virtual void VNX_PrintLabel(int first, int second) = 0;
  virtual void ClosePort() = 0;
  // The first failure since OpenPort, if any.
  virtual const std::optional<SdkFailure>& Failure() const = 0;
};

}  // namespace varnok
