#include "app/child_windows.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace varnok {

QMdiSubWindow* FindChildWindow(const QMdiArea& area, const QString& name) {
  for (QMdiSubWindow* child : area.subWindowList()) {
    // A window closed by its close box stays in the list, hidden, until it is destroyed.
    if (child->isHidden()) continue;
    const QWidget* hosted = child->widget();
    if (child->objectName() == name || (hosted != nullptr && hosted->objectName() == name)) {
      return child;
    }
  }
  return nullptr;
}

void ShowChildWindow(QMdiArea& area, const QString& name, const std::function<QWidget*()>& make) {
  QMdiSubWindow* child = FindChildWindow(area, name);
  if (child == nullptr) {
    QWidget* window = make();
    child = qobject_cast<QMdiSubWindow*>(window);
    if (child == nullptr) {
      // A window without a layout has no size hint, and its frame would shrink it to a title bar:
      // the frame takes the window's own size (set by its load) before the work area places it,
      // so that it is placed where it fits whole. Made inside the area, it has its margins.
      const QSize own_size = window->size();
      child = new QMdiSubWindow(area.viewport());
      child->setWidget(window);
      child->resize(own_size.grownBy(child->contentsMargins()));
    }
    area.addSubWindow(child);
    child->setAttribute(Qt::WA_DeleteOnClose);
    child->show();
  } else if (child->isMinimized()) {
    child->showNormal();
  }
  child->raise();
  area.setActiveSubWindow(child);
}

void CloseChildWindow(QMdiArea& area, const QString& name) {
  QMdiSubWindow* child = FindChildWindow(area, name);
  // Destroyed at once, so that a window opened next in the same command is a new one.
  if (child != nullptr && child->close()) delete child;
}

}  // namespace varnok
