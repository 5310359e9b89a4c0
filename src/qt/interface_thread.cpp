#include "qt/interface_thread.h"

#include <QCoreApplication>
#include <QThread>

namespace varnok {

void RunOnInterfaceThread(const std::function<void()>& call) {
  QCoreApplication* application = QCoreApplication::instance();
  if (QThread::currentThread() == application->thread()) {
    call();
    return;
  }
  QMetaObject::invokeMethod(application, call, Qt::BlockingQueuedConnection);
}

void InterfaceThreadMessages::Show(const Message& message) {
  RunOnInterfaceThread([this, &message] { shown_.Show(message); });
}

}  // namespace varnok
