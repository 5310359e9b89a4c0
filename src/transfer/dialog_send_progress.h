#pragma once

#include <QProgressDialog>
#include <QString>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "printer/sdk/label_printer_sdk.h"

class QWidget;

namespace varnok {

// Shows a modal progress dialog with the bytes sent while a large file goes to the printer;
// its Cancel stops the send. Small files go without a dialog. It is made and ended on the
// interface thread, and told of the send's progress from the thread that sends.
class DialogSendProgress : public SendProgress {
 public:
  DialogSendProgress(QWidget* parent, std::string file_name, std::string printer);
  ~DialogSendProgress() override;

  bool Continue(std::uint64_t bytes_sent, std::uint64_t total_bytes) override;

 private:
  // On the interface thread: shows the figures, and whether the send may go on.
  bool Show(std::uint64_t bytes_sent, std::uint64_t total_bytes);

  QWidget* parent_;
  std::string file_name_;
  std::string printer_;
  std::unique_ptr<QProgressDialog> dialog_;
  std::chrono::steady_clock::time_point last_update_;
  bool go_on_ = true;  // Cancel not pressed, as last seen
};

}  // namespace varnok
