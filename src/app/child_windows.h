#pragma once

#include <QString>
#include <functional>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace varnok {

// The open child window of the work area with this object name (carried by the sub-window
// itself or by the window it hosts), or nullptr.
QMdiSubWindow* FindChildWindow(const QMdiArea& area, const QString& name);

// Brings the named child window to the front, or, when it is not open, builds it with make
// and shows it. A closed child window is destroyed, so the next one starts afresh.
void ShowChildWindow(QMdiArea& area, const QString& name, const std::function<QWidget*()>& make);

// Closes and destroys the named child window; does nothing when it is not open.
void CloseChildWindow(QMdiArea& area, const QString& name);

}  // namespace varnok
