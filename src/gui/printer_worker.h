#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "spooler/printer_access.h"
#include "spooler/work_queue.h"

class QObject;

namespace varnok {

class Spooler;

// The one thread on which the windows talk to the print system, for as long as the program
// runs: it alone uses the spooler. The windows hand it their work (their printer lists, each OK
// and Send), which it does one piece after the other in the order handed over, so that a press
// finds the list asked for before it; what the work has for the windows (answers, boxes) it
// hands back to the interface thread through Qt's event queue, which never waits for the print
// system. One for the whole program rather than one per window: the program has one spooler and
// one print-server password, and a window that closes owns no thread it would have to wait for.
class PrinterWorker {
 public:
  explicit PrinterWorker(Spooler& spooler);
  // Lets the piece of work under way end (each step the print system is asked ends within its
  // time limit), without waiting for the interface any more, and drops the work not yet begun
  // and the calls not yet made.
  ~PrinterWorker();
  PrinterWorker(const PrinterWorker&) = delete;
  PrinterWorker& operator=(const PrinterWorker&) = delete;

  // From the interface thread: runs the work on the worker once the work handed over before it
  // has ended. What the work holds is destroyed there too.
  void Post(std::function<void(Spooler&)> work);

  // From the interface thread: asks for the brand queues, as a window does when it opens;
  // `arrived` gets them on the interface thread unless `receiver` has gone by then. The list
  // returned is filled in on the worker, for work handed over later, which reads it there: a press
  // finds the answer to the list asked for before it.
  std::shared_ptr<const QueueList> ListBrandQueues(QObject& receiver,
                                                   std::function<void(const QueueList&)> arrived);

  // From work on the worker: runs the call on the interface thread after the calls handed over
  // before it, without waiting for it.
  void Tell(std::function<void()> call);
  // From work on the worker: runs the call on the interface thread and returns once it has
  // returned (a box closed, a password given); false, without running it, when the worker is
  // being stopped.
  bool Ask(const std::function<void()>& call);

 private:
  class Receiver;

  void MakeNextCall();

  Spooler& spooler_;
  std::unique_ptr<Receiver> receiver_;  // on the interface thread: makes the calls
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> calls_;
  bool stopping_ = false;
  WorkQueue work_;  // last, so that its thread ends before what the work uses goes
};

}  // namespace varnok
