#include "gui/title_bar.h"

#include <QMdiSubWindow>
#include <QStyleOptionTitleBar>

namespace varnok {

QRect TitleBarButton(const QMdiSubWindow& sub_window, QStyle::SubControl button) {
  QStyleOptionTitleBar title_bar;
  title_bar.initFrom(&sub_window);
  title_bar.subControls = QStyle::SC_All;
  title_bar.titleBarFlags = sub_window.windowFlags();
  title_bar.titleBarState = sub_window.windowState();
  const QStyle& style = *sub_window.style();
  const int border = style.styleHint(QStyle::SH_TitleBar_NoBorder, &title_bar, &sub_window) ? 0 : 4;
  title_bar.rect = QRect(border, border, sub_window.width() - 2 * border,
                         style.pixelMetric(QStyle::PM_TitleBarHeight, &title_bar, &sub_window));
  return style.subControlRect(QStyle::CC_TitleBar, &title_bar, button, &sub_window);
}

}  // namespace varnok
