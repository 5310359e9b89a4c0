#include "qt/queue_list_request.h"

#include <QCoreApplication>
#include <QPointer>
#include <exception>
#include <memory>
#include <utility>

#include "qt/background_work.h"

namespace varnok {

QueueListRequest::QueueListRequest(Spooler& spooler, QObject& receiver,
                                   std::function<void(const QueueList&)> arrived) {
  auto answer = std::make_shared<std::promise<QueueList>>();
  answer_ = answer->get_future().share();
  // The answer goes through the application, which outlives every window; the window itself is
  // only looked at on the interface thread.
  RunInBackground(
      [&spooler, answer, guard = QPointer<QObject>(&receiver), arrived = std::move(arrived)] {
        QueueList list;
        try {
          list = ListBrandQueues(spooler);
        } catch (...) {
          answer->set_exception(std::current_exception());
          return;
        }
        answer->set_value(list);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [guard, arrived, list = std::move(list)] {
              if (guard) arrived(list);
            },
            Qt::QueuedConnection);
      });
}

}  // namespace varnok
