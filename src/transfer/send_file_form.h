#pragma once

#include <QWidget>
#include <memory>

namespace varnok {

class LabelPrinterSdk;
class Spooler;
class UserMessages;

// The send-file window "sendfile": the operator picks one of the brand printers and a file on
// a mounted volume, and Send hands the file to the printer through the label-printer SDK calls.
class SendFileForm : public QWidget {
  Q_OBJECT

 public:
  explicit SendFileForm(Spooler& spooler, QWidget* parent = nullptr);
  // Sends through the given SDK and tells the user through messages (tests use fakes).
  SendFileForm(Spooler& spooler, LabelPrinterSdk& sdk, UserMessages& messages,
               QWidget* parent = nullptr);
  ~SendFileForm() override;

 private:
  struct Owned;
  std::unique_ptr<Owned> owned_;
};

}  // namespace varnok
