#include "gui/modal_press.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeySequence>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QStyle>
#include <QWidget>
#include <QWindow>
#include <memory>
#include <utility>
#include <vector>

#include "gui/printer_worker.h"
#include "gui/title_bar.h"
#include "spooler/message_boxes.h"

namespace varnok {

namespace {

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

// The sub-window whose title bar has this button under the left mouse button's event on this
// window, or nullptr. The press swallows the click before any widget sees it, so it is looked at
// here, where the platform delivers it.
QMdiSubWindow* TitleBarButtonUnder(const QWindow& window, const QMouseEvent& mouse,
                                   QStyle::SubControl button) {
  if (mouse.button() != Qt::LeftButton) return nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->windowHandle() != &window) continue;
    const QPoint point = mouse.position().toPoint();
    auto* sub_window = qobject_cast<QMdiSubWindow*>(top->childAt(point));
    if (sub_window == nullptr) return nullptr;
    const QPoint inside = sub_window->mapFrom(top, point);
    return TitleBarButton(*sub_window, button).contains(inside) ? sub_window : nullptr;
  }
  return nullptr;
}

// Whether the action is a sub-window's Close: the one its menu offers with the platform's keys
// for closing a window (Ctrl+F4 and Ctrl+W on Linux and Windows).
bool IsCloseAction(const QAction& action) {
  return !action.shortcuts().isEmpty() &&
         action.shortcuts() == QKeySequence::keyBindings(QKeySequence::Close);
}

// Whether the object is, or belongs to, a sub-window's own menu open in front.
bool InSubWindowMenu(const QObject* object) {
  QWidget* popup = QApplication::activePopupWidget();
  const auto* sub_window =
      popup != nullptr ? qobject_cast<const QMdiSubWindow*>(popup->parentWidget()) : nullptr;
  if (sub_window == nullptr || sub_window->systemMenu() != popup) return false;
  return object == popup || object == popup->windowHandle();
}

// For the time of a press: swallows the input meant for anything but the dialog in front, keeps
// the closes asked for, and shows a busy cursor, except over the dialogs the press brings up.
class ModalPress : public QObject {
 public:
  ModalPress() {
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    qApp->installEventFilter(this);
  }
  ~ModalPress() override {
    qApp->removeEventFilter(this);
    for (const QPointer<QAction>& action : disabled_) {
      if (action) action->setEnabled(true);
    }
    for (; arrows_ > 0; --arrows_) QGuiApplication::restoreOverrideCursor();
    QGuiApplication::restoreOverrideCursor();
  }
  ModalPress(const ModalPress&) = delete;
  ModalPress& operator=(const ModalPress&) = delete;

  std::vector<std::function<void()>> kept;  // for once the press has ended, in order

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
    if (InModalDialog(watched) || InSubWindowMenu(watched)) return false;
    // A window's close reaches its widget after its QWindow: it is kept there.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Close && widget != nullptr) {
      KeepClose(widget);
      event->ignore();
      return true;
    }
    auto* window = qobject_cast<QWindow*>(watched);
    if (window != nullptr && event->type() == QEvent::MouseButtonRelease) {
      const auto& release = *static_cast<QMouseEvent*>(event);
      QMdiSubWindow* closed = TitleBarButtonUnder(*window, release, QStyle::SC_TitleBarCloseButton);
      if (closed != nullptr) KeepClose(closed);
    } else if (window != nullptr && event->type() == QEvent::MouseButtonPress) {
      const auto& pressed = *static_cast<QMouseEvent*>(event);
      QMdiSubWindow* menu_of = TitleBarButtonUnder(*window, pressed, QStyle::SC_TitleBarSysMenu);
      if (menu_of != nullptr) OpenSubWindowMenu(*menu_of);
    }
    // The close keys come to the Close action of the sub-window with the focus.
    auto* action = qobject_cast<QAction*>(watched);
    if (action != nullptr && event->type() == QEvent::Shortcut && IsCloseAction(*action)) {
      kept.push_back([triggered = QPointer<QAction>(action)] {
        if (triggered) triggered->trigger();
      });
    }
    return IsInput(event->type());
  }

 private:
  // Opens the sub-window's own menu as its title-bar icon does, with Close alone enabled until
  // the press ends: the window may be closed from there, but nothing else done.
  void OpenSubWindowMenu(QMdiSubWindow& sub_window) {
    for (QAction* action : sub_window.systemMenu()->actions()) {
      if (IsCloseAction(*action) || action->isSeparator() || !action->isEnabled()) continue;
      action->setEnabled(false);
      disabled_.emplace_back(action);
    }
    sub_window.showSystemMenu();
  }

  void KeepClose(QWidget* widget) {
    kept.push_back([closed = QPointer<QWidget>(widget)] {
      if (closed) closed->close();
    });
  }

  int arrows_ = 0;                           // arrow cursors pushed for dialogs on screen
  std::vector<QPointer<QAction>> disabled_;  // in sub-windows' menus, until the press ends
};

std::unique_ptr<ModalPress> press;  // the press under way; looked at on the interface thread only

// Ends the press as it goes, on the interface thread: with the press's last call, or with that
// call dropped by a worker that stops.
struct PressEnd {
  PressEnd() = default;
  PressEnd(const PressEnd&) = delete;
  PressEnd& operator=(const PressEnd&) = delete;
  ~PressEnd() { press.reset(); }
};

// The work's messages, each shown on the interface thread while the window is there; Show
// returns once the box is closed.
class InterfaceMessages final : public UserMessages {
 public:
  InterfaceMessages(PrinterWorker& printer, QPointer<QWidget> window, UserMessages& shown)
      : printer_(printer), window_(std::move(window)), shown_(shown) {}

  void Show(const Message& message) override {
    printer_.Ask([this, &message] {
      if (window_) shown_.Show(message);
    });
  }

 private:
  PrinterWorker& printer_;
  QPointer<QWidget> window_;
  UserMessages& shown_;
};

}  // namespace

bool StartPress(PrinterWorker& printer, QWidget& window, UserMessages& messages, PressWork work) {
  if (press) return false;
  press = std::make_unique<ModalPress>();
  printer.Post([&printer, &messages, work = std::move(work), window = QPointer<QWidget>(&window),
                end = std::make_shared<PressEnd>()](Spooler& spooler) mutable {
    InterfaceMessages shown(printer, window, messages);
    std::function<void()> then = work(spooler, shown);
    printer.Tell([window, then = std::move(then), end = std::move(end)]() mutable {
      const std::vector<std::function<void()>> kept = std::move(press->kept);
      end.reset();
      if (window && then) then();
      for (const auto& command : kept) command();
    });
  });
  return true;
}

void RunAfterPress(std::function<void()> command) {
  if (press) {
    press->kept.push_back(std::move(command));
  } else {
    command();
  }
}

}  // namespace varnok
