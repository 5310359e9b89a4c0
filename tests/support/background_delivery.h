#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>

#include "qt/printer_worker.h"

namespace varnok::testing {

// Runs the event loop until the printer worker has done the work handed to it, the work that
// its answers hand it in turn included, and the windows have its answers: a window opened in a
// test lists its queues once this has run, and a press has ended, what it kept carried out.
inline void DeliverBackgroundWork(PrinterWorker& printer) {
  do {
    QEventLoop delivered;
    printer.Post(
        [&printer, &delivered](Spooler&) { printer.Tell([&delivered] { delivered.quit(); }); });
    delivered.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  } while (!printer.Idle());
}

}  // namespace varnok::testing
