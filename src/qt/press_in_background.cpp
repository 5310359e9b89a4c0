#include "qt/press_in_background.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QWidget>
#include <QWindow>
#include <exception>
#include <thread>

#include "qt/interface_thread.h"

namespace varnok {

namespace {

bool press_running = false;  // looked at on the interface thread only

bool IsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::Drop:
    case QEvent::Close:  // a window closed under its own press
      return true;
    default:
      return false;
  }
}

// Whether the object is, or belongs to, the modal dialog in front, which alone takes input.
bool InModalDialog(const QObject* object) {
  const QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return false;
  if (const auto* window = qobject_cast<const QWindow*>(object)) {
    return window == modal->windowHandle();
  }
  const auto* widget = qobject_cast<const QWidget*>(object);
  return widget != nullptr && (widget == modal || modal->isAncestorOf(widget));
}

// For the time of a press: swallows the input meant for anything but the dialog in front, and
// shows a busy cursor, except over the dialogs the press brings up.
class ModalPress : public QObject {
 public:
  ModalPress() {
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    qApp->installEventFilter(this);
  }
  ~ModalPress() override {
    qApp->removeEventFilter(this);
    for (; arrows_ > 0; --arrows_) QGuiApplication::restoreOverrideCursor();
    QGuiApplication::restoreOverrideCursor();
  }
  ModalPress(const ModalPress&) = delete;
  ModalPress& operator=(const ModalPress&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const auto* dialog = qobject_cast<const QWidget*>(watched);
    if (dialog != nullptr && dialog->isWindow() && dialog->isModal()) {
      if (event->type() == QEvent::Show) {
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
        ++arrows_;
      } else if (event->type() == QEvent::Hide && arrows_ > 0) {
        QGuiApplication::restoreOverrideCursor();
        --arrows_;
      }
    }
    return IsInput(event->type()) && !InModalDialog(watched);
  }

 private:
  int arrows_ = 0;  // arrow cursors pushed for dialogs on screen
};

}  // namespace

bool RunPressInBackground(UserMessages& messages,
                          const std::function<void(UserMessages& messages)>& work) {
  if (press_running) return false;
  press_running = true;
  {
    const ModalPress modal;
    InterfaceThreadMessages relay(messages);
    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker([&] {
      try {
        work(relay);
      } catch (...) {
        failure = std::current_exception();
      }
      QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    press_running = false;
    if (failure) std::rethrow_exception(failure);
  }
  return true;
}

}  // namespace varnok
