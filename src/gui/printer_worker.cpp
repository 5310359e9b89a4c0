#include "gui/printer_worker.h"

#include <QObject>
#include <QPointer>
#include <utility>

#include "spooler/printer_access.h"

namespace varnok {

// Makes the next call each time Qt's event queue wakes it on the interface thread. The calls
// themselves wait in the worker's own queue, under its own lock, and the wake-up is made inside
// Qt: what crosses from one thread to the other is handed over where the thread sanitizer sees it.
class PrinterWorker::Receiver : public QObject {
  Q_OBJECT

 public:
  explicit Receiver(PrinterWorker& worker) : worker_(worker) {}
  Q_INVOKABLE void MakeNextCall() { worker_.MakeNextCall(); }

 private:
  PrinterWorker& worker_;
};

PrinterWorker::PrinterWorker(Spooler& spooler)
    : spooler_(spooler), receiver_(std::make_unique<Receiver>(*this)) {}

PrinterWorker::~PrinterWorker() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  const std::deque<std::function<void()>> dropped = work_.Stop();
  // The dropped work, the calls not made and the receiver's waiting wake-ups all go here, on the
  // interface thread.
}

void PrinterWorker::Post(std::function<void(Spooler&)> work) {
  work_.Post([this, work = std::move(work)] { work(spooler_); });
}

std::shared_ptr<const QueueList> PrinterWorker::ListBrandQueues(
    QObject& receiver, std::function<void(const QueueList&)> arrived) {
  auto list = std::make_shared<QueueList>();
  Post([this, list, guard = QPointer<QObject>(&receiver),
        arrived = std::move(arrived)](Spooler& spooler) {
    *list = varnok::ListBrandQueues(spooler);
    Tell([guard, arrived, answer = *list] {
      if (guard) arrived(answer);
    });
  });
  return list;
}

void PrinterWorker::Tell(std::function<void()> call) {
  const std::lock_guard lock(mutex_);
  calls_.push_back(std::move(call));
  // Once stopping, the receiver is going: the call stays to be dropped with the others.
  if (!stopping_) QMetaObject::invokeMethod(receiver_.get(), "MakeNextCall", Qt::QueuedConnection);
}

bool PrinterWorker::Ask(const std::function<void()>& call) {
  bool answered = false;  // under mutex_
  Tell([this, &call, &answered] {
    call();
    const std::lock_guard lock(mutex_);
    answered = true;
    changed_.notify_all();
  });
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return answered || stopping_; });
  return answered;
}

void PrinterWorker::MakeNextCall() {
  std::function<void()> call;
  {
    const std::lock_guard lock(mutex_);
    if (stopping_ || calls_.empty()) return;
    call = std::move(calls_.front());
    calls_.pop_front();
  }
  call();
}

}  // namespace varnok

#include "printer_worker.moc"
