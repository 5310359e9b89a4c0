#include "gui/blank_tab_label.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace varnok {

namespace {

constexpr int kUnbounded = 100000;

}  // namespace

int BlankTabLabel::TextFlags() const {
  const int wrap = wordWrap() ? static_cast<int>(Qt::TextWordWrap) : 0;
  return static_cast<int>(QStyle::visualAlignment(layoutDirection(), alignment())) | wrap;
}

QSize BlankTabLabel::SizeFor(int width) const {
  const QMargins margins = contentsMargins() + QMargins(margin(), margin(), margin(), margin());
  const int room = width < 0 ? kUnbounded : width - margins.left() - margins.right();
  // Measured from the top: only the horizontal alignment decides where lines break.
  const int flags = TextFlags() & ~static_cast<int>(Qt::AlignVertical_Mask);
  const QRect needed = fontMetrics().boundingRect(QRect(0, 0, room, kUnbounded), flags, text());
  return needed.size().grownBy(margins);
}

QSize BlankTabLabel::sizeHint() const { return SizeFor(-1); }

QSize BlankTabLabel::minimumSizeHint() const {
  // A wrapping label may be as narrow as its longest word; its height follows its width.
  return wordWrap() ? QSize(SizeFor(0).width(), SizeFor(-1).height()) : SizeFor(-1);
}

int BlankTabLabel::heightForWidth(int width) const {
  return wordWrap() ? SizeFor(width).height() : QLabel::heightForWidth(width);
}

void BlankTabLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QStyleOption option;
  option.initFrom(this);
  const QRect room =
      contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin()));
  style()->drawItemText(&painter, room, TextFlags(), option.palette, isEnabled(), text(),
                        foregroundRole());
}

}  // namespace varnok
