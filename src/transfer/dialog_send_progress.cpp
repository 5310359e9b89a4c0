#include "transfer/dialog_send_progress.h"

#include <utility>

#include "qt/interface_thread.h"
#include "transfer/send_progress_text.h"

namespace varnok {

namespace {

// The bar counts in thousandths: byte counts do not fit the dialog's int range.
constexpr int kBarSteps = 1000;

// Redrawing after every chunk would cost more than sending it.
constexpr auto kUpdateInterval = std::chrono::milliseconds(50);

int BarValue(std::uint64_t bytes_sent, std::uint64_t total_bytes) {
  if (total_bytes == 0 || bytes_sent >= total_bytes) return kBarSteps;
  return static_cast<int>(bytes_sent * kBarSteps / total_bytes);
}

}  // namespace

DialogSendProgress::DialogSendProgress(QWidget* parent, std::string file_name, std::string printer)
    : parent_(parent), file_name_(std::move(file_name)), printer_(std::move(printer)) {}

DialogSendProgress::~DialogSendProgress() = default;

bool DialogSendProgress::Continue(std::uint64_t bytes_sent, std::uint64_t total_bytes) {
  if (!ShowsProgressDialog(total_bytes)) return true;
  const auto now = std::chrono::steady_clock::now();
  if (bytes_sent != 0 && bytes_sent < total_bytes && now - last_update_ < kUpdateInterval) {
    return go_on_;
  }
  last_update_ = now;
  RunOnInterfaceThread([&] { go_on_ = Show(bytes_sent, total_bytes); });
  return go_on_;
}

bool DialogSendProgress::Show(std::uint64_t bytes_sent, std::uint64_t total_bytes) {
  if (!dialog_) {
    dialog_ = std::make_unique<QProgressDialog>(parent_);
    dialog_->setWindowTitle("Send File");
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setRange(0, kBarSteps);
    dialog_->show();
  }
  dialog_->setLabelText(
      QString::fromStdString(ProgressText(file_name_, printer_, bytes_sent, total_bytes)));
  dialog_->setValue(BarValue(bytes_sent, total_bytes));
  return !dialog_->wasCanceled();
}

}  // namespace varnok
