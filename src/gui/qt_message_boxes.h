#pragma once

#include "spooler/message_boxes.h"

class QWidget;

namespace varnok {

// Shows the core's messages as modal QMessageBox dialogs over a window.
class QtUserMessages : public UserMessages {
 public:
  explicit QtUserMessages(QWidget* parent) : parent_(parent) {}
  void Show(const Message& message) override;

 private:
  QWidget* parent_;
};

}  // namespace varnok
