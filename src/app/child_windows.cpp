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
    child = area.addSubWindow(make());
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
