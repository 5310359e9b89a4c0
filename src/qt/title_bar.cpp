#include "qt/title_bar.h"

#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>

namespace varnok {

QRect TitleBarCloseButton(const QMdiSubWindow& sub_window) {
  QStyleOptionTitleBar title_bar;
  title_bar.initFrom(&sub_window);
  title_bar.subControls = QStyle::SC_All;
  title_bar.titleBarFlags = sub_window.windowFlags();
  title_bar.titleBarState = sub_window.windowState();
  const QStyle& style = *sub_window.style();
  const int border = style.styleHint(QStyle::SH_TitleBar_NoBorder, &title_bar, &sub_window) ? 0 : 4;
  title_bar.rect = QRect(border, border, sub_window.width() - 2 * border,
                         style.pixelMetric(QStyle::PM_TitleBarHeight, &title_bar, &sub_window));
  return style.subControlRect(QStyle::CC_TitleBar, &title_bar, QStyle::SC_TitleBarCloseButton,
                              &sub_window);
}

}  // namespace varnok
