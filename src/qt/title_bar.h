#pragma once

#include <QRect>

class QMdiSubWindow;

namespace varnok {

// Where a sub-window's title bar shows its close button, in the sub-window's own coordinates,
// found as the sub-window lays its title bar out: the style's title bar across its width, inside
// the border the style draws around it.
QRect TitleBarCloseButton(const QMdiSubWindow& sub_window);

}  // namespace varnok
