#include "send_file/dialog_send_progress.h"

#include <QProgressBar>
#include <QProgressDialog>
#include <QString>
#include <atomic>
#include <utility>

#include "gui/printer_worker.h"
#include "send_file/send_progress_text.h"

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

struct DialogSendProgress::Shown {
  explicit Shown(QPointer<QWidget> owner) : parent(std::move(owner)) {}

  // Brings the dialog up the first time, then shows the figures; nothing once the window has gone.
  void Update(const QString& text, int value) {
    if (!parent) return;
    if (!dialog) {
      dialog = new QProgressDialog(parent);
      dialog->setWindowTitle("Send File");
      dialog->setWindowModality(Qt::ApplicationModal);
      dialog->setAutoClose(false);
      dialog->setAutoReset(false);
      // The bar is set directly: the dialog's own setValue would run the event loop of a modal
      // dialog from inside this call, which the interface thread, free anyway, must not.
      bar = new QProgressBar(dialog);
      dialog->setBar(bar);
      dialog->setRange(0, kBarSteps);
      dialog->show();
    }
    dialog->setLabelText(text);
    bar->setValue(value);
    cancelled = dialog->wasCanceled();
  }

  QPointer<QWidget> parent;
  QPointer<QProgressDialog> dialog;     // goes with the window too
  QProgressBar* bar = nullptr;          // the dialog's
  std::atomic<bool> cancelled = false;  // read on the worker
};

DialogSendProgress::DialogSendProgress(PrinterWorker& printer, QPointer<QWidget> parent,
                                       std::string file_name, std::string printer_name)
    : printer_(printer),
      shown_(std::make_shared<Shown>(std::move(parent))),
      file_name_(std::move(file_name)),
      printer_name_(std::move(printer_name)) {}

// The dialog goes on the interface thread, after the figures told before.
DialogSendProgress::~DialogSendProgress() {
  printer_.Tell([shown = std::move(shown_)] { delete shown->dialog; });
}

bool DialogSendProgress::Continue(std::uint64_t bytes_sent, std::uint64_t total_bytes) {
  if (!ShowsProgressDialog(total_bytes)) return true;
  const auto now = std::chrono::steady_clock::now();
  if (bytes_sent == 0 || bytes_sent >= total_bytes || now - last_update_ >= kUpdateInterval) {
    last_update_ = now;
    printer_.Tell([shown = shown_,
                   text = QString::fromStdString(
                       ProgressText(file_name_, printer_name_, bytes_sent, total_bytes)),
                   value = BarValue(bytes_sent, total_bytes)] { shown->Update(text, value); });
  }
  return !shown_->cancelled;
}

}  // namespace varnok
