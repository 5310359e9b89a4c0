#pragma once

#include <string_view>

#include "spooler/label_printer/label_printer_sdk.h"
#include "spooler/message_boxes.h"

namespace varnok {

// Send pressed with an empty path box.
Message SelectFileNotice();

// Send with no printer to send to: the print system did not answer when the printers were listed.
Message PrinterListFailureMessage();

// Why a send did not reach the printer (or that the user cancelled it), naming the printer or
// the file.
Message SendFailureMessage(const SdkFailure& failure);

// A drive or folder chosen in the lists that cannot be read.
Message UnreadableDriveMessage(std::string_view drive, std::string_view reason);
Message UnreadableFolderMessage(std::string_view folder, std::string_view reason);

}  // namespace varnok
