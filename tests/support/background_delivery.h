#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>

#include "gui/printer_worker.h"

namespace varnok::testing {

// Counts the queued calls the interface thread takes: the printer worker hands each of its calls
// over as one (QMetaObject::invokeMethod, queued), and so may the windows themselves.
class QueuedCallCount : public QObject {
 public:
  QueuedCallCount() { QCoreApplication::instance()->installEventFilter(this); }
  ~QueuedCallCount() override { QCoreApplication::instance()->removeEventFilter(this); }
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::MetaCall) ++count;
    return false;
  }
  int count = 0;
};

// Runs the event loop until the printer worker has done the work handed to it, the work that
// its answers hand it in turn included, and the windows have its answers: a window opened in a
// test lists its queues once this has run, and a press has ended, what it kept carried out.
// A round trip through the worker ends after the work handed over before it; work that the
// calls made meanwhile hand over comes after it, so the round trips go on until one in which
// the interface thread took no call but the round trip's own.
inline void DeliverBackgroundWork(PrinterWorker& printer) {
  for (;;) {
    const QueuedCallCount calls;
    QEventLoop delivered;
    printer.Post(
        [&printer, &delivered](Spooler&) { printer.Tell([&delivered] { delivered.quit(); }); });
    delivered.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (calls.count == 1) return;
  }
}

}  // namespace varnok::testing
