#pragma once

#include <QPointer>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "spooler/label_printer/label_printer_sdk.h"

class QWidget;

namespace varnok {

class PrinterWorker;

// Told on the printer worker how a large file's send goes, and shows it in a modal progress
// dialog over the window, on the interface thread; the dialog's Cancel stops the send. Small files
// go without a dialog. The dialog goes with this object.
class DialogSendProgress : public SendProgress {
 public:
  DialogSendProgress(PrinterWorker& printer, QPointer<QWidget> parent, std::string file_name,
                     std::string printer_name);
  ~DialogSendProgress() override;
  DialogSendProgress(const DialogSendProgress&) = delete;
  DialogSendProgress& operator=(const DialogSendProgress&) = delete;

  bool Continue(std::uint64_t bytes_sent, std::uint64_t total_bytes) override;

 private:
  struct Shown;  // the dialog's side, on the interface thread

  PrinterWorker& printer_;
  std::shared_ptr<Shown> shown_;
  std::string file_name_;
  std::string printer_name_;
  std::chrono::steady_clock::time_point last_update_;
};

}  // namespace varnok
