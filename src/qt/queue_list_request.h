#pragma once

#include <QObject>
#include <functional>
#include <future>

#include "printer/printer_access.h"

namespace varnok {

class Spooler;

// The brand queues a window lists, asked for on a thread of its own as the window opens, so that
// the window appears at once and fills its list when the answer comes.
class QueueListRequest {
 public:
  // Starts asking. `arrived` runs on the interface thread with the answer, unless `receiver` has
  // gone by then.
  QueueListRequest(Spooler& spooler, QObject& receiver,
                   std::function<void(const QueueList&)> arrived);

  // The answer, once it has come: a press that needs it waits for it off the interface thread.
  QueueList Await() const { return answer_.get(); }

 private:
  std::shared_future<QueueList> answer_;
};

}  // namespace varnok
