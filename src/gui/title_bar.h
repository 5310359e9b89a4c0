#pragma once

#include <QRect>
#include <QStyle>

class QMdiSubWindow;

namespace varnok {

// Where a sub-window's title bar shows this button (its close button, its menu's icon), in the
// sub-window's own coordinates, found as the sub-window lays its title bar out: the style's title
// bar across its width, inside the border the style draws around it.
QRect TitleBarButton(const QMdiSubWindow& sub_window, QStyle::SubControl button);

}  // namespace varnok
