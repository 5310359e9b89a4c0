#pragma once

#include <QLabel>

namespace varnok {

// A label that draws each TAB of its text as one blank, the short gap the original windows show,
// where Qt would jump to the next tab stop. Its text keeps the TAB, for screen readers and tests.
class BlankTabLabel : public QLabel {
 public:
  using QLabel::QLabel;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Without Qt::TextExpandTabs, Qt lays a TAB out as a blank.
  int TextFlags() const;
  // The room the text takes within the given width (unbounded for -1), margins included.
  QSize SizeFor(int width) const;
};

}  // namespace varnok
