#include "qt/qt_user_messages.h"

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

}  // namespace

void QtUserMessages::Show(const Message& message) {
  QMessageBox box(ToQtIcon(message.icon), QString::fromStdString(message.title),
                  QString::fromStdString(message.text), QMessageBox::Ok, parent_);
  box.exec();
}

}  // namespace varnok
