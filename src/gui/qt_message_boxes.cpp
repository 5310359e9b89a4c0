#include "gui/qt_message_boxes.h"

#include <QLabel>
#include <QMessageBox>
#include <QString>

namespace varnok {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// In English, as Qt's own names of the box's parts (its OK button) are.
QString IconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Question:
      return "Question";
    case MessageIcon::Exclamation:
      return "Warning";
    case MessageIcon::None:
      break;
  }
  return {};
}

}  // namespace

void QtUserMessages::Show(const Message& message) {
  QMessageBox box(ToQtIcon(message.icon), QString::fromStdString(message.title),
                  QString::fromStdString(message.text), QMessageBox::Ok, parent_);
  // The icon is a picture without a name of its own; it says what kind of message this is.
  for (QLabel* label : box.findChildren<QLabel*>()) {
    if (!label->pixmap().isNull()) label->setAccessibleName(IconName(message.icon));
  }
  box.exec();
}

}  // namespace varnok
