#include "transfer/send_file_form.h"

#include "app/twips.h"

namespace varnok {

struct SendFileForm::Owned {};

SendFileForm::SendFileForm(Spooler& /*spooler*/, QWidget* parent)
    : QWidget(parent), owned_(std::make_unique<Owned>()) {
  setObjectName("sendfile");
  setWindowTitle("Send File");
  resize(TwipsSize(this, 6210, 4725));
}

SendFileForm::SendFileForm(Spooler& spooler, LabelPrinterSdk& /*sdk*/, UserMessages& /*messages*/,
                           QWidget* parent)
    : SendFileForm(spooler, parent) {}

SendFileForm::~SendFileForm() = default;

}  // namespace varnok
